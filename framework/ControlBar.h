// The control bar: a horizontal row of gadgets at the top of the frame.
// A command button shows a glyph bitmap of the module on the frame's action
// for its command (the menu item's and the accelerator's too), so it is
// enabled and shown pressed with them; separators leave a gap of a given width.
#pragma once

#include <memory>
#include <vector>

class QToolBar;
class QWidget;
class TDecoratedFrame;

class TGadget {
 public:
  virtual ~TGadget();
  QWidget* GetHandle() const { return widget_; }

 protected:
  QWidget* widget_ = nullptr;  // made when the gadget is inserted
  friend class TControlBar;
  virtual void Create(QToolBar* bar, TDecoratedFrame* frame) = 0;
};

class TButtonGadget : public TGadget {
 public:
  enum TType { Command, Exclusive, NonExclusive };
  enum TState { Up, Down, Indeterminate };

  // The glyph is the module's bitmap `glyphResId`; `commandId` is sent when
  // clicked. Every button is a plain command button whose enabled and pressed
  // states are its command's: `type`, `state` and `repeat` are not used.
  TButtonGadget(int glyphResId, int commandId, TType type = Command, bool enabled = false, TState state = Up,
                bool repeat = false);

  int GetCommandId() const { return commandId_; }

 private:
  void Create(QToolBar* bar, TDecoratedFrame* frame) override;

  int glyphResId_;
  int commandId_;
  bool enabled_;
};

class TSeparatorGadget : public TGadget {
 public:
  explicit TSeparatorGadget(int width = 6) : width_(width) {}
  int GetWidth() const { return width_; }

 private:
  void Create(QToolBar* bar, TDecoratedFrame* frame) override;
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
