#include "framework/DC.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/UiThread.h"
#include "framework/Window.h"

namespace {

// The ellipse inscribed in a box of whole pixels: pixel (x, y) belongs to it
// when its centre lies inside, computed exactly so the shape is symmetric.
class TEllipseShape {
 public:
  TEllipseShape(int left, int top, int right, int bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    l_ = left, t_ = top, r_ = right, b_ = bottom;
    w_ = right - left;
    h_ = bottom - top;
  }
  bool Empty() const { return w_ <= 0 || h_ <= 0; }
  int Left() const { return l_; }
  int Top() const { return t_; }
  int Right() const { return r_; }
  int Bottom() const { return b_; }
  double CenterX() const { return (l_ + r_ - 1) / 2.0; }
  double CenterY() const { return (t_ + b_ - 1) / 2.0; }

  bool Inside(int x, int y) const {
    if (x < l_ || x >= r_ || y < t_ || y >= b_) return false;
    const long long dx = 2LL * x - l_ - r_ + 1;
    const long long dy = 2LL * y - t_ - b_ + 1;
    return dx * dx * h_ * h_ + dy * dy * w_ * w_ <= w_ * w_ * h_ * h_;
  }
  // On the outline: inside, with a side neighbour outside. These pixels close
  // the shape against a fill that spreads through side neighbours.
  bool Outline(int x, int y) const {
    return Inside(x, y) && (!Inside(x - 1, y) || !Inside(x + 1, y) || !Inside(x, y - 1) || !Inside(x, y + 1));
  }

 private:
  int l_ = 0, t_ = 0, r_ = 0, b_ = 0;
  long long w_ = 0, h_ = 0;
};

// Angle of the ray from (cx, cy) to (x, y), counter-clockwise as seen on the
// screen (y grows downwards), in [0, 2 pi).
double ScreenAngle(double cx, double cy, double x, double y) {
  double a = std::atan2(cy - y, x - cx);
  if (a < 0) a += 2 * std::numbers::pi;
  return a;
}

}  // namespace

TDC::TDC(QImage* target) : target_(target), pen_(TColor::Black), brush_(TColor::White) {}

TDC::~TDC() = default;

void TDC::SelectObject(const TPen& pen) { pen_ = pen; }
void TDC::SelectObject(const TBrush& brush) { brush_ = brush; }
void TDC::RestorePen() { pen_ = TPen(TColor::Black); }
void TDC::RestoreBrush() { brush_ = TBrush(TColor::White); }
void TDC::RestoreObjects() {
  RestorePen();
  RestoreBrush();
}

int TDC::Width() const { return target_->width(); }
int TDC::Height() const { return target_->height(); }

void TDC::Plot(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= target_->width() || y >= target_->height()) return;
  reinterpret_cast<std::uint32_t*>(target_->scanLine(y))[x] = argb;
}

void TDC::Span(int x0, int x1, int y, std::uint32_t argb) {
  if (y < 0 || y >= target_->height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, target_->width() - 1);
  if (x0 > x1) return;
  std::uint32_t* row = reinterpret_cast<std::uint32_t*>(target_->scanLine(y));
  std::fill(row + x0, row + x1 + 1, argb);
}

// A pen of width w covers a w x w square around each point of a line.
void TDC::Stamp(int x, int y, std::uint32_t argb) {
  const int w = pen_.Width;
  if (w == 1) {
    Plot(x, y, argb);
    return;
  }
  const int x0 = x - (w - 1) / 2;
  const int y0 = y - (w - 1) / 2;
  for (int j = 0; j < w; ++j) Span(x0, x0 + w - 1, y0 + j, argb);
}

void TDC::Rectangle(int left, int top, int right, int bottom) {
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (right == left || bottom == top) return;
  const std::uint32_t fill = brush_.Color.Argb();
  const std::uint32_t ink = pen_.Color.Argb();
  const int w = pen_.Width;
  for (int y = top; y < bottom; ++y) {
    const bool band = y < top + w || y >= bottom - w;
    if (band) {
      Span(left, right - 1, y, ink);
    } else {
      Span(left, std::min(left + w, right) - 1, y, ink);
      Span(left + w, right - w - 1, y, fill);
      Span(std::max(right - w, left), right - 1, y, ink);
    }
  }
}

void TDC::MoveTo(int x, int y) { position_ = TPoint(x, y); }

void TDC::LineTo(int x, int y) {
  const std::uint32_t ink = pen_.Color.Argb();
  int x0 = position_.x, y0 = position_.y;
  const int dx = std::abs(x - x0), dy = -std::abs(y - y0);
  const int sx = x0 < x ? 1 : -1, sy = y0 < y ? 1 : -1;
  int err = dx + dy;
  while (x0 != x || y0 != y) {
    Stamp(x0, y0, ink);
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
  position_ = TPoint(x, y);
}

void TDC::TextOut(int left, int top, int height, const TColor& color, const char* text) {
  if (!text || !*text || height < 1) return;
  QPainter painter(target_);
  QFont font = painter.font();
  font.setPixelSize(height);
  painter.setFont(font);
  painter.setPen(QColor::fromRgba(color.Argb()));
  painter.drawText(QPoint(left, top + painter.fontMetrics().ascent()), QString::fromUtf8(text));
}

void TDC::FillRect(const TRect& rect, const TBrush& brush) {
  const std::uint32_t fill = brush.Color.Argb();
  for (int y = rect.top; y < rect.bottom; ++y) Span(rect.left, rect.right - 1, y, fill);
}

void TDC::Ellipse(int left, int top, int right, int bottom) {
  const TEllipseShape shape(left, top, right, bottom);
  if (shape.Empty()) return;
  const std::uint32_t fill = brush_.Color.Argb();
  const std::uint32_t ink = pen_.Color.Argb();
  for (int y = shape.Top(); y < shape.Bottom(); ++y)
    for (int x = shape.Left(); x < shape.Right(); ++x)
      if (shape.Inside(x, y)) Plot(x, y, shape.Outline(x, y) ? ink : fill);
}

void TDC::Arc(int left, int top, int right, int bottom, const TPoint& start, const TPoint& end) {
  const TEllipseShape shape(left, top, right, bottom);
  if (shape.Empty()) return;
  const double cx = shape.CenterX(), cy = shape.CenterY();
  const double from = ScreenAngle(cx, cy, start.x, start.y);
  double sweep = ScreenAngle(cx, cy, end.x, end.y) - from;
  if (sweep <= 0) sweep += 2 * std::numbers::pi;  // equal rays: the whole outline
  constexpr double slack = 1e-9;
  const std::uint32_t ink = pen_.Color.Argb();
  for (int y = shape.Top(); y < shape.Bottom(); ++y)
    for (int x = shape.Left(); x < shape.Right(); ++x) {
      if (!shape.Outline(x, y)) continue;
      double d = ScreenAngle(cx, cy, x, y) - from;
      if (d < 0) d += 2 * std::numbers::pi;
      if (d <= sweep + slack || d >= 2 * std::numbers::pi - slack) Plot(x, y, ink);
    }
}

void TDC::ExtFloodFill(const TPoint& point, const TColor& color, int mode) {
  const int w = target_->width(), h = target_->height();
  if (point.x < 0 || point.y < 0 || point.x >= w || point.y >= h) return;
  const std::uint32_t key = color.Argb();
  const std::uint32_t fill = brush_.Color.Argb();
  auto pixel = [&](int x, int y) { return reinterpret_cast<const std::uint32_t*>(target_->constScanLine(y))[x]; };
  auto fillable = [&](int x, int y) { return mode == FLOODFILLBORDER ? pixel(x, y) != key : pixel(x, y) == key; };
  if (!fillable(point.x, point.y)) return;

  // Span fill; `done` marks pixels already filled so a fill colour that is
  // also fillable cannot loop.
  std::vector<unsigned char> done(static_cast<std::size_t>(w) * h, 0);
  auto open = [&](int x, int y) { return !done[static_cast<std::size_t>(y) * w + x] && fillable(x, y); };
  std::vector<TPoint> seeds{point};
  while (!seeds.empty()) {
    const TPoint seed = seeds.back();
    seeds.pop_back();
    if (!open(seed.x, seed.y)) continue;
    int x0 = seed.x, x1 = seed.x;
    while (x0 > 0 && open(x0 - 1, seed.y)) --x0;
    while (x1 < w - 1 && open(x1 + 1, seed.y)) ++x1;
    std::uint32_t* row = reinterpret_cast<std::uint32_t*>(target_->scanLine(seed.y));
    for (int x = x0; x <= x1; ++x) {
      row[x] = fill;
      done[static_cast<std::size_t>(seed.y) * w + x] = 1;
    }
    for (int ny : {seed.y - 1, seed.y + 1}) {
      if (ny < 0 || ny >= h) continue;
      bool inRun = false;
      for (int x = x0; x <= x1; ++x) {
        const bool o = open(x, ny);
        if (o && !inRun) seeds.emplace_back(x, ny);
        inRun = o;
      }
    }
  }
}

TColor TDC::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= target_->width() || y >= target_->height()) return TColor::Black;
  return TColor::FromArgb(reinterpret_cast<const std::uint32_t*>(target_->constScanLine(y))[x]);
}

TMemoryDC::TMemoryDC(TBitmap& bitmap) : TDC(&bitmap.Image()) {}

TClientDC::TClientDC(TWindow& window) : TDC(window.BackingImage()), window_(window) { RequireUiThread("TClientDC"); }

TClientDC::~TClientDC() { window_.ShowDrawing(); }
