// TBitmap: an image in memory of 32-bit pixels (0xAARRGGBB), for drawings made
// before they are shown: cursors, glyphs, snapshots of a window.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/Geometry.h"

class QImage;

class TBitmap {
 public:
  TBitmap();
  // A bitmap of the given size, every pixel `fill` (0 is fully transparent).
  TBitmap(int width, int height, std::uint32_t fill = 0);
  explicit TBitmap(const QImage& image);
  TBitmap(const TBitmap& other);
  TBitmap& operator=(const TBitmap& other);
  ~TBitmap();

  int Width() const;
  int Height() const;
  bool IsNull() const;
  std::uint32_t Pixel(int x, int y) const;  // 0 outside the bitmap
  TColor Color(int x, int y) const { return TColor::FromArgb(Pixel(x, y)); }
  // Writes a PNG file; false on failure.
  bool Save(const char* path) const;

  QImage& Image();
  const QImage& Image() const;

 private:
  std::unique_ptr<QImage> image_;
};
