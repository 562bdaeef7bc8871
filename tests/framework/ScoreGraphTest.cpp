// The score graph's geometry and picture, offscreen: scores to pixels (White
// up, Black down, cut at the limit), the areas and marks drawn there, the
// current move's line, and a click going to the move under it.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include "framework/Bitmap.h"
#include "framework/ScoreGraph.h"

namespace {

TEST(ScoreGraph, MapsScoresToPixelsAndClicksToMoves) {
  TScoreGraph graph(nullptr, 300);
  EXPECT_FALSE(graph.IsVisible());
  QWidget* widget = graph.GetHandle();
  widget->resize(203, 96);
  // Four of a game's eight moves analysed: White a man and a half up, then
  // far ahead, then Black three men up after a blunder, then level.
  graph.SetValues({{150, 0}, {600, 0}, {-300, 3}, {0, 0}}, 8);
  graph.SetCurrent(4);
  widget->show();
  ASSERT_TRUE(graph.IsVisible());

  // Eight columns of 197 / 8 pixels between margins of 3; each point in its column's middle.
  EXPECT_EQ(graph.PointOf(1, 0).x, 3 + 12);
  EXPECT_EQ(graph.PointOf(8, 0).x, 3 + 197 * 15 / 16);
  const int top = 3, bottom = 96 - 3 - 1, middle = (top + bottom) / 2;
  EXPECT_EQ(graph.PointOf(1, 0).y, middle);
  EXPECT_EQ(graph.PointOf(1, 150).y, middle - (middle - top) / 2);
  EXPECT_EQ(graph.PointOf(2, 300).y, top);
  EXPECT_EQ(graph.PointOf(2, 600).y, top);  // beyond the limit: at the edge, as a win is
  EXPECT_EQ(graph.PointOf(2, 10000).y, top);
  EXPECT_EQ(graph.PointOf(3, -300).y, top + 2 * (middle - top));
  EXPECT_EQ(graph.PointOf(3, -9990).y, graph.PointOf(3, -300).y);

  const TBitmap picture(widget->grab().toImage());
  const int scale = picture.Width() / widget->width();  // the screen's pixel ratio
  auto colour = [&](int x, int y) { return picture.Color(x * scale, y * scale); };
  const int x2 = graph.PointOf(2, 0).x, x3 = graph.PointOf(3, 0).x, x4 = graph.PointOf(4, 0).x;
  EXPECT_EQ(colour(x2, middle - 6), TColor(192, 192, 192));  // White ahead: the light area above
  EXPECT_EQ(colour(x3, middle + 6), TColor(128, 0, 0));      // Black ahead: the dark red below
  const TPoint blunder = graph.PointOf(3, -300);
  EXPECT_EQ(colour(blunder.x, blunder.y - 1), TColor(255, 50, 50));  // its mark's dot
  EXPECT_EQ(colour(x4, top + 1), TColor(255, 220, 0));               // the current move
  EXPECT_EQ(colour(graph.PointOf(6, 0).x, top + 1), TColor(72, 72, 72));

  std::vector<int> clicked;
  graph.SetClickHandler([&](int move) { clicked.push_back(move); });
  graph.Click(TPoint(x3, 20));
  graph.Click(TPoint(x2 + 12, 50));  // near the right end of move 2's column
  graph.Click(TPoint(0, 50));
  graph.Click(TPoint(graph.PointOf(6, 0).x, 50));  // not analysed: nowhere to go
  EXPECT_EQ(clicked, (std::vector<int>{3, 2, 1}));
  EXPECT_EQ(graph.MoveAt(widget->width() - 1), 8);

  graph.SetValues({}, 8);
  EXPECT_FALSE(graph.IsVisible());
}

}  // namespace
