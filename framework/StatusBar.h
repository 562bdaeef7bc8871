// The status bar at the bottom of the frame: one message area whose text is
// set with SetText (from any thread: the text is handed to the UI thread,
// and shown in order, without waiting).
#pragma once

#include <string>

class QLabel;
class QStatusBar;
class QWidget;
class TDecoratedFrame;

class TMessageBar {
 public:
  virtual ~TMessageBar();
  void SetText(const char* text);
  std::string GetText() const;  // UI thread

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

  QStatusBar* GetHandle() const;

 private:
  QStatusBar* bar_;  // deleted with this object, wherever the frame puts it
};
