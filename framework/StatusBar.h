// The status bar at the bottom of the frame: one message area whose text is
// set with SetText, and any number of fields at its right end, each as wide
// as its text. All of it on the UI thread.
#pragma once

#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QStatusBar;
class QWidget;
class TDecoratedFrame;

class TMessageBar {
 public:
  virtual ~TMessageBar();
  void SetText(const char* text);
  std::string GetText() const;

 protected:
  TMessageBar() = default;
  QLabel* label_ = nullptr;
  std::string text_;
};

class TStatusBar : public TMessageBar {
 public:
  enum TBorderStyle { Plain, Raised, Recessed, Embossed };
  enum : unsigned { NoIndicators = 0 };

  explicit TStatusBar(TDecoratedFrame* parent, TBorderStyle style = Recessed, unsigned modeIndicators = NoIndicators);
  ~TStatusBar() override;

  // Adds a field after the earlier ones; returns its number.
  int AddField();
  // An empty field takes no room.
  void SetFieldText(int field, const char* text);
  std::string GetFieldText(int field) const;
  // Whether the message area and every field show their whole text.
  bool TextsFit() const;
  // A bar of `done` out of `total` at the right end; a total of 0 hides it.
  void SetProgress(int done, int total);
  // What the bar shows: done and total (0 and 0 while it is hidden).
  int ProgressDone() const;
  int ProgressTotal() const;

  QStatusBar* GetHandle() const;

 private:
  QStatusBar* bar_;  // deleted with this object, wherever the frame puts it
  TBorderStyle style_;
  std::vector<QLabel*> fields_;
  QProgressBar* progress_ = nullptr;  // made when it is first shown
  std::vector<std::string> fieldTexts_;
};
