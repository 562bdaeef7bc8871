#include "framework/DC.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "framework/Bitmap.h"
#include "framework/UiThread.h"
#include "framework/Window.h"

namespace {
QColor ToQColor(const TColor& c) { return QColor(c.Red(), c.Green(), c.Blue()); }
}  // namespace

TDC::TDC(QImage* target)
    : scratch_(target->isNull() ? std::make_unique<QImage>(1, 1, QImage::Format_RGB32) : nullptr),
      target_(scratch_ ? scratch_.get() : target),
      painter_(std::make_unique<QPainter>(target_)),
      pen_(TColor::Black),
      brush_(TColor::White) {}

TDC::~TDC() = default;

void TDC::SelectObject(const TPen& pen) { pen_ = pen; }
void TDC::SelectObject(const TBrush& brush) { brush_ = brush; }
void TDC::RestorePen() { pen_ = TPen(TColor::Black); }
void TDC::RestoreBrush() { brush_ = TBrush(TColor::White); }
void TDC::RestoreObjects() {
  RestorePen();
  RestoreBrush();
}

int TDC::Width() const { return qRound(target_->width() / target_->devicePixelRatio()); }
int TDC::Height() const { return qRound(target_->height() / target_->devicePixelRatio()); }

void TDC::Rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right == left || bottom == top) return;
  const int w = pen_.Width;
  painter_->fillRect(QRect(left, top, right - left, bottom - top), ToQColor(pen_.Color));
  if (right - left > 2 * w && bottom - top > 2 * w)
    painter_->fillRect(QRect(left + w, top + w, right - left - 2 * w, bottom - top - 2 * w), ToQColor(brush_.Color));
}

void TDC::MoveTo(int x, int y) { position_ = TPoint(x, y); }

void TDC::LineTo(int x, int y) {
  const TPoint from = position_;
  position_ = TPoint(x, y);
  if (from.x == x && from.y == y) return;
  const int w = pen_.Width;
  const int spread = (w - 1) / 2;  // the pen's square reaches this far left of and above each point
  if (from.y == y || from.x == x) {
    // Straight across or down: the pixels from the start up to the end, as a fill.
    const bool across = from.y == y;
    const int a = across ? from.x : from.y, b = across ? x : y;
    const int first = a < b ? a : b + 1, count = std::abs(b - a);
    const QRect band = across ? QRect(first - spread, y - spread, count + w - 1, w)
                              : QRect(x - spread, first - spread, w, count + w - 1);
    painter_->fillRect(band, ToQColor(pen_.Color));
    return;
  }
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing);
  painter_->setPen(QPen(ToQColor(pen_.Color), w, Qt::SolidLine, Qt::FlatCap));
  painter_->drawLine(QPointF(from.x + 0.5, from.y + 0.5), QPointF(x + 0.5, y + 0.5));
  painter_->restore();
}

void TDC::TextOut(int left, int top, int height, const TColor& color, const char* text) {
  if (!text || !*text || height < 1) return;
  painter_->save();
  painter_->setRenderHint(QPainter::TextAntialiasing);
  QFont font = painter_->font();
  font.setPixelSize(height);
  painter_->setFont(font);
  painter_->setPen(ToQColor(color));
  painter_->drawText(QPoint(left, top + painter_->fontMetrics().ascent()), QString::fromUtf8(text));
  painter_->restore();
}

void TDC::FillRect(const TRect& rect, const TBrush& brush) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  painter_->fillRect(QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top), ToQColor(brush.Color));
}

void TDC::Ellipse(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right == left || bottom == top) return;
  painter_->save();
  painter_->setRenderHint(QPainter::Antialiasing);
  painter_->setPen(QPen(ToQColor(pen_.Color), 1));
  painter_->setBrush(ToQColor(brush_.Color));
  // The outline's centre half a pixel inside the box, so that it stays in it.
  painter_->drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
  painter_->restore();
}

TColor TDC::GetPixel(int x, int y) const {
  const qreal ratio = target_->devicePixelRatio();
  const int px = static_cast<int>(std::floor(x * ratio)), py = static_cast<int>(std::floor(y * ratio));
  if (px < 0 || py < 0 || px >= target_->width() || py >= target_->height()) return TColor::Black;
  return TColor::FromArgb(target_->pixel(px, py));
}

TMemoryDC::TMemoryDC(TBitmap& bitmap) : TDC(&bitmap.Image()) {}

TClientDC::TClientDC(TWindow& window) : TDC(window.BackingImage()), window_(window) { RequireUiThread("TClientDC"); }

TClientDC::~TClientDC() { window_.ShowDrawing(); }
