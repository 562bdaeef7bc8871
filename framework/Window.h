// TWindow: a child window with a background colour, a Paint callback, size and
// mouse messages routed through response tables, invalidation, a per-window
// cursor and mouse capture. The window keeps an image of what it shows, in the
// screen's own pixels: Paint redraws that image when the window was invalidated
// (and when it is first shown or resized), client DCs draw into it between
// paints, and the screen shows it.
#pragma once

#include <memory>

#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "framework/EventHandler.h"
#include "framework/Geometry.h"

class QImage;
class QWidget;
class TDecoratedFrame;
class TModule;
class TWindowWidget;

// The system arrow, for SetCursor(nullptr, IDC_ARROW).
constexpr int IDC_ARROW = 32512;

class TWindow {
 public:
  explicit TWindow(TWindow* parent = nullptr, const char* title = nullptr);
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  // Asked before the frame holding this window closes.
  virtual bool CanClose();
  // Redraws the window; `erase` says the background has just been painted.
  virtual void Paint(TDC& dc, bool erase, TRect& rect);
  // The window's own lookup: the default handling of WM_SIZE.
  virtual bool Find(TEventInfo& info);
  // Looks the event up with Find and runs its handler; false when none has one.
  bool Dispatch(TEventInfo& info);

  // Default size handling: records the new client size in Attr.
  void EvSize(unsigned sizeType, const TSize& size);

  void SetBkgndColor(const TColor& color);
  TColor GetBkgndColor() const { return background_; }
  // Asks for a full repaint (with the background erased first when `erase`).
  void Invalidate(bool erase = true);
  // Runs a pending repaint now.
  void UpdateWindow();
  // A cursor of `module` by number, or with no module a system cursor (IDC_ARROW).
  void SetCursor(TModule* module, int cursorId);
  int GetCursorId() const { return cursorId_; }
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const { return captured_; }
  TRect GetClientRect() const;
  // The frame that holds this window as its client, if one does.
  TDecoratedFrame* GetFrame() const { return frame_; }
  // What the window shows now, after any pending repaint, in device pixels.
  TBitmap Snapshot();

  struct TAttr {
    int X = 0, Y = 0, W = 0, H = 0;
  } Attr;
  TWindow* Parent;

  // For the layer itself.
  QWidget* GetHandle() const;
  QImage* BackingImage();
  void ShowDrawing();  // the image changed: show it at the next repaint
  void PaintImage();   // repaints the image if the window was invalidated

 private:
  std::unique_ptr<QImage> image_;
  TWindowWidget* widget_;  // owned here unless a frame deleted it first (then null)
  TColor background_ = TColor::White;
  bool needsPaint_ = true;
  bool needsErase_ = true;
  int cursorId_ = IDC_ARROW;
  bool captured_ = false;
  TDecoratedFrame* frame_ = nullptr;

  friend class TWindowWidget;
  friend class TDecoratedFrame;
};
