// Points, sizes, rectangles and colours of the window layer. Rectangles keep
// their right and bottom edges outside, as the drawing operations do.
#pragma once

#include <cstdint>

struct TPoint {
  int x = 0;
  int y = 0;
  constexpr TPoint() = default;
  constexpr TPoint(int px, int py) : x(px), y(py) {}
  constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr TSize() = default;
  constexpr TSize(int w, int h) : cx(w), cy(h) {}
  constexpr bool operator==(const TSize&) const = default;
};

struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;   // first column outside
  int bottom = 0;  // first row outside
  constexpr TRect() = default;
  constexpr TRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr bool Contains(const TPoint& p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr bool operator==(const TRect&) const = default;
};

// An opaque RGB colour.
class TColor {
 public:
  constexpr TColor() = default;
  constexpr TColor(int r, int g, int b)
      : rgb_((static_cast<std::uint32_t>(r & 255) << 16) | (static_cast<std::uint32_t>(g & 255) << 8) |
             static_cast<std::uint32_t>(b & 255)) {}

  constexpr int Red() const { return static_cast<int>((rgb_ >> 16) & 255); }
  constexpr int Green() const { return static_cast<int>((rgb_ >> 8) & 255); }
  constexpr int Blue() const { return static_cast<int>(rgb_ & 255); }
  // 0xAARRGGBB with full alpha, the pixel format of the window images.
  constexpr std::uint32_t Argb() const { return 0xff000000u | rgb_; }
  static constexpr TColor FromArgb(std::uint32_t argb) {
    return TColor(static_cast<int>((argb >> 16) & 255), static_cast<int>((argb >> 8) & 255),
                  static_cast<int>(argb & 255));
  }
  constexpr bool operator==(const TColor&) const = default;

  static const TColor Black;
  static const TColor White;
  static const TColor LtGray;
  static const TColor Gray;

 private:
  std::uint32_t rgb_ = 0;
};

inline constexpr TColor TColor::Black{0, 0, 0};
inline constexpr TColor TColor::White{255, 255, 255};
inline constexpr TColor TColor::LtGray{192, 192, 192};
inline constexpr TColor TColor::Gray{128, 128, 128};
