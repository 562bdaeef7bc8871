// Device contexts: drawing with solid pens and brushes into a window's image
// (TClientDC, TPaintDC) or into a bitmap (TMemoryDC), through a QPainter.
// Coordinates are the window's logical pixels; an image made for a screen of
// higher density holds more pixels per logical one and the drawing uses them
// all. The right and bottom edges of rectangles and ellipse boxes and the end
// point of a line are not drawn. Drawing outside the target is clipped.
#pragma once

#include <memory>

#include "framework/Geometry.h"

class QImage;
class QPainter;
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
  // The ellipse inscribed in the box, smoothed: filled with the brush, outlined with the pen (one pixel wide).
  void Ellipse(int left, int top, int right, int bottom);

  // One line of text in `color`, its letters `height` pixels tall, with the
  // top-left corner of its box at (left, top); the background shows through.
  void TextOut(int left, int top, int height, const TColor& color, const char* text);

  // The colour under the logical pixel's top-left corner.
  TColor GetPixel(int x, int y) const;
  // In logical pixels.
  int Width() const;
  int Height() const;
  // For drawings of their own (the pieces), in logical pixels.
  QPainter& Painter() { return *painter_; }

 protected:
  explicit TDC(QImage* target);

 private:
  std::unique_ptr<QImage> scratch_;  // drawn on instead of a target with no pixels yet
  QImage* target_;
  std::unique_ptr<QPainter> painter_;
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
