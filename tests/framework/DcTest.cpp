// The drawing operations' pixels: the board's drawing relies on exactly which
// pixels a rectangle, a line and a fill cover, on an ellipse staying in its
// box, and on all of them using every pixel of a denser screen.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <cstdint>

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
  // A diagonal, smoothed, from its start towards its end.
  dc.MoveTo(30, 10);
  dc.LineTo(40, 20);
  EXPECT_NE(image.Color(30, 10), TColor::White);
  EXPECT_NE(image.Color(35, 15), TColor::White);
  EXPECT_EQ(image.Color(45, 25), TColor::White);
}

TEST_F(Dc, FillRectLeavesOutRightAndBottom) {
  dc.FillRect(TRect(2, 3, 6, 8), TBrush(Red));
  EXPECT_EQ(Count(Red), 4 * 5);
  EXPECT_EQ(image.Color(5, 7), Red);
  EXPECT_EQ(image.Color(6, 7), TColor::White);
}

// Smoothed: the edge pixels blend the outline with what lies around, and
// nothing outside the box is touched.
TEST_F(Dc, EllipseFitsItsBoxAndIsSymmetric) {
  dc.SelectObject(TBrush(Red));
  dc.Ellipse(10, 5, 46, 26);  // 36 x 21
  int minX = 99, maxX = -1, minY = 99, maxY = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (image.Color(x, y) != TColor::White) {
        minX = std::min(minX, x), maxX = std::max(maxX, x), minY = std::min(minY, y), maxY = std::max(maxY, y);
        const TColor c = image.Color(x, y), mirrored = image.Color(10 + 45 - x, 5 + 25 - y);
        EXPECT_NEAR(c.Red(), mirrored.Red(), 40) << x << "," << y;
        EXPECT_NEAR(c.Green(), mirrored.Green(), 40) << x << "," << y;
      }
  EXPECT_EQ(minX, 10);
  EXPECT_EQ(maxX, 45);
  EXPECT_EQ(minY, 5);
  EXPECT_EQ(maxY, 25);
  EXPECT_EQ(image.Color(27, 15), Red);
  EXPECT_LT(image.Color(28, 5).Red(), 64);  // the outline, nearly black at the top
}

// On an image of twice the density every logical pixel is two by two: fills
// cover whole blocks, and a curve's edge is drawn with the finer pixels.
TEST(DcAtTwiceTheDensity, FillsCoverWholeBlocksAndCurvesUseEveryPixel) {
  TBitmap image(120, 80, TColor::White.Argb());
  image.Image().setDevicePixelRatio(2);
  TMemoryDC dc(image);
  EXPECT_EQ(dc.Width(), 60);
  EXPECT_EQ(dc.Height(), 40);
  dc.FillRect(TRect(2, 3, 6, 8), TBrush(Red));
  dc.MoveTo(10, 30);
  dc.LineTo(20, 30);
  int red = 0, black = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 120; ++x) red += image.Color(x, y) == Red, black += image.Color(x, y) == TColor::Black;
  EXPECT_EQ(red, 4 * 5 * 4);
  EXPECT_EQ(black, 10 * 4);
  EXPECT_EQ(dc.GetPixel(5, 7), Red);
  EXPECT_EQ(dc.GetPixel(6, 7), TColor::White);

  // An ellipse's edge: blocks whose four pixels differ.
  dc.SelectObject(TBrush(Red));
  dc.Ellipse(30, 5, 56, 30);
  int mixed = 0;
  for (int y = 10; y < 60; y += 2)
    for (int x = 60; x < 112; x += 2) {
      const std::uint32_t p = image.Pixel(x, y);
      mixed += p != image.Pixel(x + 1, y) || p != image.Pixel(x, y + 1) || p != image.Pixel(x + 1, y + 1);
    }
  EXPECT_GT(mixed, 40);
}

TEST_F(Dc, DrawingOutsideTheTargetIsClipped) {
  dc.SelectObject(TBrush(Red));
  dc.Ellipse(-20, -20, 20, 20);
  dc.MoveTo(-5, 39);
  dc.LineTo(100, 39);
  dc.FillRect(TRect(55, -5, 80, 5), TBrush(Teal));
  EXPECT_EQ(image.Color(1, 1), Red);
  EXPECT_EQ(image.Color(59, 39), TColor::Black);
  EXPECT_EQ(Count(Teal), 5 * 5);
}

}  // namespace
