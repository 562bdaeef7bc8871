#include "framework/Window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <utility>

#include "framework/Internal.h"
#include "framework/Resources.h"
#include "framework/UiThread.h"

// The Qt side of a TWindow: shows the window's image and turns Qt's events
// into the window's messages.
class TWindowWidget : public QWidget {
 public:
  explicit TWindowWidget(TWindow* owner) : owner_(owner) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setMinimumSize(1, 1);
  }
  ~TWindowWidget() override {
    if (owner_) owner_->widget_ = nullptr;
  }
  void Detach() { owner_ = nullptr; }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!owner_) return;
    // Moved to a screen of another density: the picture is made again for it.
    if (owner_->image_->devicePixelRatio() != devicePixelRatioF()) NewImage();
    owner_->PaintImage();
    QPainter painter(this);
    painter.drawImage(0, 0, *owner_->image_);
  }

  void resizeEvent(QResizeEvent*) override {
    if (!owner_) return;
    NewImage();
    TEventInfo info;
    info.Id = WM_SIZE;
    info.Flags = SIZE_RESTORED;  // a child window is never minimized or maximized itself
    info.Size = TSize(width(), height());
    owner_->Dispatch(info);
  }

  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) Mouse(WM_LBUTTONDOWN, e);
    if (e->button() == Qt::RightButton) Mouse(WM_RBUTTONDOWN, e);
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) Mouse(WM_LBUTTONUP, e);
    if (e->button() == Qt::RightButton) Mouse(WM_RBUTTONUP, e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) Mouse(WM_LBUTTONDBLCLK, e);
    if (e->button() == Qt::RightButton) Mouse(WM_RBUTTONDBLCLK, e);
  }
  void mouseMoveEvent(QMouseEvent* e) override { Mouse(WM_MOUSEMOVE, e); }

 private:
  // The window's picture in device pixels: the logical size times the
  // screen's pixel ratio, so nothing is scaled up when it is shown.
  void NewImage() {
    const qreal ratio = devicePixelRatioF();
    QImage& image = *owner_->image_;
    image = QImage(qRound(width() * ratio), qRound(height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(owner_->background_.Argb());
    owner_->needsPaint_ = true;
    owner_->needsErase_ = true;
  }

  void Mouse(int message, QMouseEvent* e) {
    if (!owner_) return;
    TEventInfo info;
    info.Id = message;
    const Qt::MouseButtons b = e->buttons();
    const Qt::KeyboardModifiers m = e->modifiers();
    info.Flags = 0;
    if (b & Qt::LeftButton) info.Flags |= MK_LBUTTON;
    if (b & Qt::RightButton) info.Flags |= MK_RBUTTON;
    if (m & Qt::ShiftModifier) info.Flags |= MK_SHIFT;
    if (m & Qt::ControlModifier) info.Flags |= MK_CONTROL;
    const QPoint p = e->position().toPoint();
    info.Point = TPoint(p.x(), p.y());
    owner_->Dispatch(info);
  }

  TWindow* owner_;
};

TWindow::TWindow(TWindow* parent, const char*)
    : Parent(parent), image_(std::make_unique<QImage>()), widget_(nullptr) {
  RequireUiThread("TWindow");
  widget_ = new TWindowWidget(this);
}

TWindow::~TWindow() {
  if (widget_) {
    widget_->Detach();
    delete widget_;
  }
}

bool TWindow::CanClose() { return true; }

void TWindow::Paint(TDC&, bool, TRect&) {}

bool TWindow::Find(TEventInfo& info) {
  if (info.Kind == TEventKind::Message && info.Id == WM_SIZE) {
    info.Handler = [this, f = info.Flags, s = info.Size] { EvSize(f, s); };
    return true;
  }
  return false;
}

bool TWindow::Dispatch(TEventInfo& info) {
  info.Handler = nullptr;
  if (!Find(info) || !info.Handler) return false;
  info.Handler();
  return true;
}

void TWindow::EvSize(unsigned sizeType, const TSize& size) {
  if (sizeType == SIZE_RESTORED) {
    Attr.W = size.cx;
    Attr.H = size.cy;
  }
}

void TWindow::SetBkgndColor(const TColor& color) { background_ = color; }

void TWindow::Invalidate(bool erase) {
  RequireUiThread("TWindow::Invalidate");
  needsPaint_ = true;
  needsErase_ = needsErase_ || erase;
  if (widget_) widget_->update();
}

void TWindow::PaintImage() {
  if (!needsPaint_ || image_->isNull()) return;
  needsPaint_ = false;
  const bool erase = needsErase_;
  needsErase_ = false;
  if (erase) image_->fill(background_.Argb());
  TPaintDC dc(image_.get());
  TRect rect = GetClientRect();
  Paint(dc, erase, rect);
}

void TWindow::UpdateWindow() {
  RequireUiThread("TWindow::UpdateWindow");
  if (!needsPaint_) return;
  PaintImage();
  if (widget_) widget_->update();
}

void TWindow::ShowDrawing() {
  if (widget_) widget_->update();
}

QImage* TWindow::BackingImage() { return image_.get(); }

QWidget* TWindow::GetHandle() const { return widget_; }

TRect TWindow::GetClientRect() const {
  if (!widget_) return TRect();
  return TRect(0, 0, widget_->width(), widget_->height());
}

TBitmap TWindow::Snapshot() {
  UpdateWindow();
  return TBitmap(*image_);
}

void TWindow::SetCursor(TModule* module, int cursorId) {
  RequireUiThread("TWindow::SetCursor");
  cursorId_ = cursorId;
  if (!widget_) return;
  const TModule::TCursorResource* cursor = module ? module->FindCursor(cursorId) : nullptr;
  if (cursor) {
    widget_->setCursor(QCursor(QPixmap::fromImage(cursor->Image.Image()), cursor->HotSpot.x, cursor->HotSpot.y));
  } else {
    widget_->setCursor(Qt::ArrowCursor);
  }
}

void TWindow::SetCapture() {
  RequireUiThread("TWindow::SetCapture");
  captured_ = true;
  // Qt already sends a drag's moves and release to the pressed widget; the
  // explicit grab also keeps them when the pointer leaves the window.
  if (widget_ && widget_->isVisible() && QGuiApplication::platformName() != QLatin1String("offscreen"))
    widget_->grabMouse();
}

void TWindow::ReleaseCapture() {
  RequireUiThread("TWindow::ReleaseCapture");
  if (!captured_) return;
  captured_ = false;
  if (widget_ && QWidget::mouseGrabber() == widget_) widget_->releaseMouse();
}
