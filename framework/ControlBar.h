// The control bar: a horizontal row of gadgets at the top of the frame.
// Command buttons show a glyph bitmap of the module and send their command;
// separators leave a gap of a given width.
#pragma once

#include <memory>
#include <vector>

class QToolBar;
class QToolButton;
class QWidget;
class TDecoratedFrame;

class TGadget {
 public:
  virtual ~TGadget();
  QWidget* GetHandle() const { return widget_; }

 protected:
  QWidget* widget_ = nullptr;  // made when the gadget is inserted
  friend class TControlBar;
  virtual void Create() = 0;
};

class TButtonGadget : public TGadget {
 public:
  enum TType { Command, Exclusive, NonExclusive };
  enum TState { Up, Down, Indeterminate };

  // The glyph is the module's bitmap `glyphResId`; `commandId` is sent when clicked.
  TButtonGadget(int glyphResId, int commandId, TType type = Command, bool enabled = false, TState state = Up,
                bool repeat = false);

  int GetCommandId() const { return commandId_; }
  bool GetEnabled() const { return enabled_; }
  TState GetButtonState() const { return state_; }
  void SetEnabled(bool enabled);
  void SetButtonState(TState state);

 private:
  void Create() override;
  QToolButton* Button() const;

  int glyphResId_;
  int commandId_;
  bool enabled_;
  TState state_;
};

class TSeparatorGadget : public TGadget {
 public:
  explicit TSeparatorGadget(int width = 6) : width_(width) {}
  int GetWidth() const { return width_; }

 private:
  void Create() override;
  int width_;
};

struct TGadgetWindowFont {
  explicit TGadgetWindowFont(int pointSize = 10, bool bold = false, bool italic = false)
      : PointSize(pointSize), Bold(bold), Italic(italic) {}
  int PointSize;
  bool Bold;
  bool Italic;
};

class TControlBar {
 public:
  enum TTileDirection { Horizontal, Vertical };

  TControlBar(TDecoratedFrame* parent, TTileDirection direction = Horizontal,
              const TGadgetWindowFont& font = TGadgetWindowFont());
  ~TControlBar();
  TControlBar(const TControlBar&) = delete;
  TControlBar& operator=(const TControlBar&) = delete;

  // Appends a gadget after the last one; the bar owns it.
  void Insert(std::unique_ptr<TGadget> gadget);
  const std::vector<std::unique_ptr<TGadget>>& Gadgets() const { return gadgets_; }
  // The button that sends `commandId`, if any.
  TButtonGadget* FindButton(int commandId) const;

  QToolBar* GetHandle() const { return bar_; }

 private:
  TDecoratedFrame* frame_;
  QToolBar* bar_;
  std::vector<std::unique_ptr<TGadget>> gadgets_;
};
