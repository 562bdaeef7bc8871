// Where the board goes in a window of a given size, normal and inverted, and
// which square a point is on.
#include <gtest/gtest.h>

#include "ui/Graphics.h"

namespace {

class Geometry : public ::testing::Test {
 protected:
  TGraphics g;
};

TEST_F(Geometry, LandscapeWindowCentresTheBoardInItsHeight) {
  g.SetScale(640, 480);
  EXPECT_EQ(g.SquareSize, 54);
  EXPECT_EQ(g.OriginX, 104);
  EXPECT_EQ(g.OriginY, 24);
  EXPECT_EQ(g.OriginX + 8 * g.SquareSize, 536);
  EXPECT_EQ(g.OriginY + 8 * g.SquareSize, 456);
  // Index 10 (square 32) is the second square of the top row, index 44 (square 1) the last but one of the bottom row.
  EXPECT_EQ(g.SquareX[10], 104 + 54);
  EXPECT_EQ(g.SquareY[10], 24);
  EXPECT_EQ(g.SquareX[44], 104 + 6 * 54);
  EXPECT_EQ(g.SquareY[44], 24 + 7 * 54);
  EXPECT_EQ(g.SquareX[14], 104);  // row 1 starts in the first column
  EXPECT_EQ(g.SquareY[14], 24 + 54);
}

TEST_F(Geometry, NarrowWindowIsTreatedAsTwoHundredWide) {
  g.SetScale(150, 400);
  EXPECT_EQ(g.SquareSize, 22);
  EXPECT_EQ(g.OriginX, 12);
  EXPECT_EQ(g.OriginY, 112);
  EXPECT_GT(g.OriginX + 8 * g.SquareSize, 150);  // wider than the window: clipped at its right edge
  g.SetScale(10, 10);
  EXPECT_EQ(g.SquareSize, 22);
  EXPECT_EQ(g.OriginX, 12);
  EXPECT_EQ(g.OriginY, 12);
}

TEST_F(Geometry, InvertedBoardIsTurnedHalfARound) {
  g.SetScale(640, 480, true);
  EXPECT_EQ(g.SquareX[44], 104 + 54);  // square 1: top row, column 1
  EXPECT_EQ(g.SquareY[44], 24);
  EXPECT_EQ(g.SquareX[10], 104 + 6 * 54);  // square 32: bottom row, column 6
  EXPECT_EQ(g.SquareY[10], 24 + 7 * 54);
  // Every square stays a dark square of the same board.
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i)) continue;
    const int c = (g.SquareX[i] - g.OriginX) / g.SquareSize, r = (g.SquareY[i] - g.OriginY) / g.SquareSize;
    EXPECT_EQ((r + c) % 2, 1) << i;
  }
}

TEST_F(Geometry, HitTestIncludesAllFourEdges) {
  g.SetScale(640, 480);
  const int x = g.SquareX[23], y = g.SquareY[23], s = g.SquareSize;
  EXPECT_TRUE(g.IsInZone(TPoint(x, y), 23));
  EXPECT_TRUE(g.IsInZone(TPoint(x + s, y + s), 23));
  EXPECT_FALSE(g.IsInZone(TPoint(x - 1, y), 23));
  EXPECT_FALSE(g.IsInZone(TPoint(x, y + s + 1), 23));
  // The corner shared with the diagonal neighbour below and to the right lies on both.
  const int below = 28;
  ASSERT_EQ(g.SquareX[below], x + s);
  ASSERT_EQ(g.SquareY[below], y + s);
  EXPECT_TRUE(g.IsInZone(TPoint(x + s, y + s), below));
  // Light squares belong to no playable square.
  int owners = 0;
  for (int i = FirstSquare; i <= LastSquare; ++i) owners += IsPlayable(i) && g.IsInZone(TPoint(x + s + s / 2, y + s / 2), i);
  EXPECT_EQ(owners, 0);
}

}  // namespace
