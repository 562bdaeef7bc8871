// Device contexts: drawing with solid pens and brushes into a window's image
// (TClientDC, TPaintDC) or into a bitmap (TMemoryDC). Coordinates are pixels;
// the right and bottom edges of rectangles and ellipse boxes and the end point
// of a line are not drawn. Drawing outside the target is clipped.
#pragma once

#include <cstdint>

#include "framework/Geometry.h"

class QImage;
class TBitmap;
class TWindow;

class TPen {
 public:
  explicit TPen(TColor color, int width = 1) : Color(color), Width(width < 1 ? 1 : width) {}
  TColor Color;
  int Width;
};

class TBrush {
 public:
  explicit TBrush(TColor color) : Color(color) {}
  TColor Color;
};

// ExtFloodFill modes: fill up to a border colour, or fill the area of one colour.
enum { FLOODFILLBORDER = 0, FLOODFILLSURFACE = 1 };

class TDC {
 public:
  virtual ~TDC();
  TDC(const TDC&) = delete;
  TDC& operator=(const TDC&) = delete;

  // The pen outlines shapes and draws lines; the brush fills shapes.
  void SelectObject(const TPen& pen);
  void SelectObject(const TBrush& brush);
  // Back to the DC's initial black one-pixel pen / white brush.
  void RestorePen();
  void RestoreBrush();
  void RestoreObjects();

  // Fills the box with the brush and draws its outline with the pen, the
  // pen's width lying inside the box.
  void Rectangle(int left, int top, int right, int bottom);
  void MoveTo(int x, int y);
  // A line from the current position up to, not including, (x, y); (x, y) becomes the current position.
  void LineTo(int x, int y);
  void FillRect(const TRect& rect, const TBrush& brush);
  // The ellipse inscribed in the box: filled with the brush, outlined with the pen (one pixel wide).
  void Ellipse(int left, int top, int right, int bottom);
  // Part of the outline of the ellipse inscribed in the box, counter-clockwise
  // from where the ray from its centre through `start` meets it to where the ray through `end` does.
  void Arc(int left, int top, int right, int bottom, const TPoint& start, const TPoint& end);
  // Fills with the brush the area around `point` that is bounded by `color`
  // (FLOODFILLBORDER) or made of `color` (FLOODFILLSURFACE); neighbours are the four sides.
  void ExtFloodFill(const TPoint& point, const TColor& color, int mode = FLOODFILLBORDER);

  // One line of text in `color`, its letters `height` pixels tall, with the
  // top-left corner of its box at (left, top); the background shows through.
  void TextOut(int left, int top, int height, const TColor& color, const char* text);

  TColor GetPixel(int x, int y) const;
  int Width() const;
  int Height() const;

 protected:
  explicit TDC(QImage* target);

 private:
  void Plot(int x, int y, std::uint32_t argb);
  void Span(int x0, int x1, int y, std::uint32_t argb);
  void Stamp(int x, int y, std::uint32_t argb);

  QImage* target_;
  TPen pen_;
  TBrush brush_;
  TPoint position_;
};

// Draws into a bitmap.
class TMemoryDC : public TDC {
 public:
  explicit TMemoryDC(TBitmap& bitmap);
};

// Draws on a window outside its Paint: the drawing reaches the screen at the
// next repaint, which this DC asks for when it is released. Open it on the UI
// thread only.
class TClientDC : public TDC {
 public:
  explicit TClientDC(TWindow& window);
  ~TClientDC() override;

 private:
  TWindow& window_;
};

// The DC that Paint receives.
class TPaintDC : public TDC {
 public:
  explicit TPaintDC(QImage* target) : TDC(target) {}
};
