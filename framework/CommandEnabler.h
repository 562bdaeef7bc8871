// TCommandEnabler: what a command's enabler is handed during the enabling
// pass. The enabler says whether the command is available and, for commands
// shown with a check mark, whether it is checked; the frame applies the answer
// to the menu item and to the tool-bar button (a checked button shows pressed).
#pragma once

class TCommandEnabler {
 public:
  enum { Unchecked = 0, Checked = 1 };

  explicit TCommandEnabler(int id) : id_(id) {}
  virtual ~TCommandEnabler() = default;

  int GetId() const { return id_; }
  virtual void Enable(bool enable = true) { enabled_ = enable; }
  virtual void SetCheck(int state) {
    checkable_ = true;
    checked_ = state == Checked;
  }

  bool IsEnabled() const { return enabled_; }
  bool IsCheckable() const { return checkable_; }
  bool IsChecked() const { return checked_; }

 private:
  int id_;
  bool enabled_ = true;  // commands without an enabler stay enabled
  bool checkable_ = false;
  bool checked_ = false;
};
