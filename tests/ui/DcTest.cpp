// The drawing operations' pixels: the board's drawing relies on exactly which
// pixels a rectangle, line, ellipse and arc cover and on fills stopping at
// their outlines.
#include <gtest/gtest.h>

#include "framework/Bitmap.h"
#include "framework/DC.h"

namespace {

const TColor Teal(0, 128, 128);
const TColor Red(255, 0, 0);

class Dc : public ::testing::Test {
 protected:
  Dc() : image(60, 40, TColor::White.Argb()), dc(image) {}
  int Count(TColor c, int x0 = 0, int y0 = 0, int x1 = 60, int y1 = 40) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += image.Color(x, y) == c;
    return n;
  }
  TBitmap image;
  TMemoryDC dc;
};

TEST_F(Dc, RectangleKeepsItsWidePenInsideTheBox) {
  dc.SelectObject(TPen(TColor::LtGray, 2));
  dc.SelectObject(TBrush(Teal));
  dc.Rectangle(10, 5, 30, 20);
  EXPECT_EQ(image.Color(10, 10), TColor::LtGray);
  EXPECT_EQ(image.Color(11, 10), TColor::LtGray);
  EXPECT_EQ(image.Color(12, 10), Teal);
  EXPECT_EQ(image.Color(29, 10), TColor::LtGray);  // right edge is x = 29
  EXPECT_EQ(image.Color(27, 10), Teal);
  EXPECT_EQ(image.Color(30, 10), TColor::White);
  EXPECT_EQ(image.Color(20, 19), TColor::LtGray);  // bottom edge is y = 19
  EXPECT_EQ(image.Color(20, 20), TColor::White);
  EXPECT_EQ(Count(Teal), 16 * 11);
}

TEST_F(Dc, LinesLeaveOutTheirEndPoint) {
  dc.MoveTo(5, 5);
  dc.LineTo(15, 5);
  EXPECT_EQ(Count(TColor::Black), 10);
  EXPECT_EQ(image.Color(14, 5), TColor::Black);
  EXPECT_EQ(image.Color(15, 5), TColor::White);
  dc.LineTo(15, 15);  // continues from the end point, which it now draws
  EXPECT_EQ(image.Color(15, 5), TColor::Black);
  EXPECT_EQ(image.Color(15, 15), TColor::White);
  // A diagonal touches each row once.
  dc.MoveTo(30, 10);
  dc.LineTo(40, 20);
  EXPECT_EQ(Count(TColor::Black, 30, 0, 60, 40), 10);
}

TEST_F(Dc, FillRectLeavesOutRightAndBottom) {
  dc.FillRect(TRect(2, 3, 6, 8), TBrush(Red));
  EXPECT_EQ(Count(Red), 4 * 5);
  EXPECT_EQ(image.Color(5, 7), Red);
  EXPECT_EQ(image.Color(6, 7), TColor::White);
}

TEST_F(Dc, EllipseFitsItsBoxAndIsSymmetric) {
  dc.SelectObject(TBrush(Red));
  dc.Ellipse(10, 5, 46, 26);  // 36 x 21
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (image.Color(x, y) != TColor::White) {
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        EXPECT_EQ(image.Color(10 + 45 - x, y), image.Color(x, y)) << x << "," << y;
        EXPECT_EQ(image.Color(x, 5 + 25 - y), image.Color(x, y)) << x << "," << y;
      }
  EXPECT_EQ(minX, 10);
  EXPECT_EQ(maxX, 45);
  EXPECT_EQ(minY, 5);
  EXPECT_EQ(maxY, 25);
  EXPECT_EQ(image.Color(27, 15), Red);
  EXPECT_EQ(image.Color(27, 5), TColor::Black);  // the outline
}

TEST_F(Dc, ArcDrawsTheLowerHalfCounterClockwiseFromLeftToRight) {
  dc.Arc(10, 5, 46, 26, TPoint(10, 15), TPoint(46, 15));
  int above = 0, below = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (image.Color(x, y) == TColor::Black) (y < 15 ? above : below)++;
  EXPECT_EQ(above, 0);
  EXPECT_GT(below, 36);
  EXPECT_EQ(image.Color(27, 25), TColor::Black);  // the bottom
  EXPECT_EQ(image.Color(10, 15), TColor::Black);  // both ends
  EXPECT_EQ(image.Color(45, 15), TColor::Black);
  // Swapping the ends draws the other half.
  TBitmap other(60, 40, TColor::White.Argb());
  TMemoryDC odc(other);
  odc.Arc(10, 5, 46, 26, TPoint(46, 15), TPoint(10, 15));
  EXPECT_EQ(other.Color(27, 5), TColor::Black);
  EXPECT_EQ(other.Color(27, 25), TColor::White);
}

TEST_F(Dc, BorderFillStopsAtTheBorderColourOnly) {
  dc.SelectObject(TBrush(Teal));
  dc.Ellipse(10, 5, 30, 25);  // black outline, teal inside
  dc.FillRect(TRect(40, 5, 50, 15), TBrush(Teal));
  dc.SelectObject(TBrush(Red));
  dc.ExtFloodFill(TPoint(20, 15), TColor::Black, FLOODFILLBORDER);
  EXPECT_EQ(image.Color(20, 15), Red);
  EXPECT_EQ(image.Color(12, 15), Red);
  EXPECT_EQ(image.Color(45, 10), Teal);  // outside the outline
  EXPECT_EQ(image.Color(5, 5), TColor::White);
  // Outside the outline a border fill spreads over every colour but black.
  dc.SelectObject(TBrush(TColor::Gray));
  dc.ExtFloodFill(TPoint(0, 0), TColor::Black, FLOODFILLBORDER);
  EXPECT_EQ(image.Color(45, 10), TColor::Gray);
  EXPECT_EQ(image.Color(20, 15), Red);
  // Starting on the border fills nothing; a surface fill takes one colour only.
  dc.ExtFloodFill(TPoint(20, 5), TColor::Black, FLOODFILLBORDER);
  EXPECT_EQ(image.Color(20, 5), TColor::Black);
  dc.SelectObject(TBrush(TColor::White));
  dc.ExtFloodFill(TPoint(20, 15), Red, FLOODFILLSURFACE);
  EXPECT_EQ(image.Color(20, 15), TColor::White);
  EXPECT_EQ(image.Color(45, 10), TColor::Gray);
}

TEST_F(Dc, DrawingOutsideTheTargetIsClipped) {
  dc.SelectObject(TBrush(Red));
  dc.Ellipse(-20, -20, 20, 20);
  dc.MoveTo(-5, 39);
  dc.LineTo(100, 39);
  dc.FillRect(TRect(55, -5, 80, 5), TBrush(Teal));
  EXPECT_EQ(image.Color(0, 0), Red);
  EXPECT_EQ(image.Color(59, 39), TColor::Black);
  EXPECT_EQ(Count(Teal), 5 * 5);
}

}  // namespace
