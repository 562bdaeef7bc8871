// The board as drawn: frame, grid and squares where the geometry puts them,
// pieces as discs with their rims (a king with two) and smoothed outlines,
// the inverted board, and nothing escaping a piece at any square size.
#include <gtest/gtest.h>

#include <vector>

#include "engine/MoveGenerator.h"
#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "ui/Graphics.h"
#include "Colours.h"

namespace {

const TColor Background(128, 128, 128);

class Render : public ::testing::Test {
 protected:
  void SetUp() override { TMoveGenerator::InitBoard(board); }
  TBitmap DrawBoard(int w = 640, int h = 480) {
    TBitmap image(w, h, Background.Argb());
    TMemoryDC dc(image);
    g.SetScale(w, h, inverted);
    g.DrawBoard(dc, board);
    return image;
  }
  // The colours met going straight down from (x, y0) to y1, runs merged; the
  // smoothed edges' blends between two of the board's colours are left out.
  std::vector<TColor> Runs(const TBitmap& image, int x, int y0, int y1) const {
    std::vector<TColor> runs;
    for (int y = y0; y < y1; ++y) {
      const TColor c = colours::Classify(image.Color(x, y), {g.DarkSquareColor, TColor::Black, g.BlackTopColor,
                                                             g.BlackSideColor, g.WhiteTopColor, g.WhiteSideColor});
      const bool known = c == g.DarkSquareColor || c == TColor::Black || c == g.BlackTopColor ||
                         c == g.BlackSideColor || c == g.WhiteTopColor || c == g.WhiteSideColor;
      if (known && (runs.empty() || runs.back() != c)) runs.push_back(c);
    }
    return runs;
  }
  TGraphics g;
  int board[BoardSize];
  bool inverted = false;
};

TEST_F(Render, FrameGridAndSquares) {
  const TBitmap image = DrawBoard();
  // Frame (101, 21)-(540, 460): two light-grey pixels, then one white, then the board at 104.
  EXPECT_EQ(image.Color(100, 240), Background);
  EXPECT_EQ(image.Color(101, 240), TColor::LtGray);
  EXPECT_EQ(image.Color(102, 240), TColor::LtGray);
  EXPECT_EQ(image.Color(103, 240), TColor::White);
  EXPECT_EQ(image.Color(538, 240), TColor::LtGray);
  EXPECT_EQ(image.Color(539, 240), TColor::LtGray);
  EXPECT_EQ(image.Color(540, 240), Background);
  EXPECT_EQ(image.Color(300, 21), TColor::LtGray);
  EXPECT_EQ(image.Color(300, 459), TColor::LtGray);
  EXPECT_EQ(image.Color(300, 460), Background);
  // Grid lines in the dark colour on the light squares' edges, light squares white inside.
  EXPECT_EQ(image.Color(104, 30), g.DarkSquareColor);  // left edge of the top-left (light) square
  EXPECT_EQ(image.Color(130, 24), g.DarkSquareColor);  // its top edge
  EXPECT_EQ(image.Color(130, 50), TColor::White);
  EXPECT_EQ(image.Color(536, 456), g.DarkSquareColor);  // the last grid pixel
  // An empty playable square is dark all over, including its top-left corner.
  for (int i : {23, 24, 25, 26, 28, 29, 30, 31}) {
    EXPECT_EQ(image.Color(g.SquareX[i], g.SquareY[i]), g.DarkSquareColor);
    EXPECT_EQ(image.Color(g.SquareX[i] + 53, g.SquareY[i] + 53), g.DarkSquareColor);
  }
}

TEST_F(Render, ManIsADiscWithOneRim) {
  const TBitmap image = DrawBoard();
  // A Black man on square 12 (index 32): W 36, H 21, h 10, left and top 9 pixels in.
  const int left = g.SquareX[32] + 9, top = g.SquareY[32] + 9, mid = top + 10;
  EXPECT_EQ(image.Color(left + 18, mid), g.BlackTopColor);
  EXPECT_TRUE(colours::Near(image.Color(left + 18, top), TColor::Black));  // top of the outline
  EXPECT_EQ(image.Color(left + 18, top - 1), g.DarkSquareColor);  // nothing above it
  EXPECT_EQ(image.Color(left + 2, mid + 10), g.BlackSideColor);   // the rim
  EXPECT_EQ(image.Color(left - 1, mid + 5), g.DarkSquareColor);
  EXPECT_EQ(image.Color(left + 36, mid + 5), g.DarkSquareColor);
  const std::vector<TColor> down{g.DarkSquareColor, TColor::Black, g.BlackTopColor, TColor::Black,
                                 g.BlackSideColor,  TColor::Black, g.DarkSquareColor};
  EXPECT_EQ(Runs(image, left + 18, g.SquareY[32], g.SquareY[32] + 54), down);
  // White's men are grey.
  const int wl = g.SquareX[19] + 9, wt = g.SquareY[19] + 9;
  EXPECT_EQ(image.Color(wl + 18, wt + 10), g.WhiteTopColor);
  EXPECT_EQ(image.Color(wl + 2, wt + 20), g.WhiteSideColor);
}

TEST_F(Render, KingStandsHigherWithTwoRims) {
  board[25] = BlackKing;
  board[26] = WhiteKing;
  const TBitmap image = DrawBoard();
  const int left = g.SquareX[25] + 9, top = g.SquareY[25] + 4, mid = top + 10;
  EXPECT_TRUE(colours::Near(image.Color(left + 18, top), TColor::Black));
  EXPECT_EQ(image.Color(left + 18, top - 1), g.DarkSquareColor);
  EXPECT_EQ(image.Color(left + 2, mid + 10), g.BlackSideColor);
  EXPECT_EQ(image.Color(left + 2, mid + 20), g.BlackSideColor);
  const std::vector<TColor> down{g.DarkSquareColor, TColor::Black, g.BlackTopColor, TColor::Black,
                                 g.BlackSideColor,  TColor::Black, g.BlackSideColor, TColor::Black,
                                 g.DarkSquareColor};
  EXPECT_EQ(Runs(image, left + 18, g.SquareY[25], g.SquareY[25] + 54), down);
  const int wl = g.SquareX[26] + 9;
  std::vector<TColor> white = Runs(image, wl + 18, g.SquareY[26], g.SquareY[26] + 54);
  EXPECT_EQ(white.size(), down.size());
  EXPECT_EQ(white[2], g.WhiteTopColor);
  EXPECT_EQ(white[6], g.WhiteSideColor);
}

TEST_F(Render, InvertedBoardShowsBlackAtTheTop) {
  inverted = true;
  const TBitmap image = DrawBoard();
  // Top row, second square: index 44, a Black man; bottom row, second to last: index 10, a White man.
  EXPECT_EQ(image.Color(104 + 54 + 27, 24 + 19), g.BlackTopColor);
  EXPECT_EQ(image.Color(104 + 6 * 54 + 27, 24 + 7 * 54 + 19), g.WhiteTopColor);
  // The first square of the top row stays light.
  EXPECT_EQ(image.Color(104 + 27, 24 + 27), TColor::White);
}

TEST_F(Render, EmptyCodeDrawsNothingAndEraseClearsAPiece) {
  TBitmap image = DrawBoard();
  TMemoryDC dc(image);
  const TBitmap before = image;
  g.DrawPiece(23, dc, Empty);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) ASSERT_EQ(image.Pixel(x, y), before.Pixel(x, y));
  g.EraseSquare(dc, 32);
  for (int y = g.SquareY[32]; y < g.SquareY[32] + 54; ++y)
    for (int x = g.SquareX[32]; x < g.SquareX[32] + 54; ++x) ASSERT_EQ(image.Color(x, y), g.DarkSquareColor);
}

// Every size the window can give: the rims are filled and nothing leaks out
// of the piece's box into the square.
TEST_F(Render, PiecesStayInsideTheirOutlineAtEverySize) {
  for (int s = 22; s <= 130; ++s) {
    for (int code : {WhiteKing, BlackKing, WhiteMan, BlackMan}) {
      TBitmap image(s + 4, s + 4, TColor::White.Argb());
      TMemoryDC dc(image);
      g.SquareSize = s;
      g.SquareX[30] = 2;
      g.SquareY[30] = 2;
      g.EraseSquare(dc, 30);
      g.DrawPiece(30, dc, code);
      const int d = s / 3, W = s - d, H = d + d / 6, h = H / 2;
      const int left = 2 + (s + 3) / 6;
      const int top = 2 + (IsKing(code) ? (s + 5) / 14 : (s + 1) / 6);
      const int bottom = top + H + (IsKing(code) ? 2 : 1) * h;
      const TColor side = code & 1 ? g.BlackSideColor : g.WhiteSideColor;
      ASSERT_EQ(image.Color(left + 2, top + 2 * h), side) << "size " << s << " code " << code;
      if (IsKing(code)) {
        ASSERT_EQ(image.Color(left + 2, top + 3 * h), side) << "size " << s;
      }
      for (int y = 0; y < s + 4; ++y)
        for (int x = 0; x < s + 4; ++x) {
          const bool inBox = x >= left && x < left + W && y >= top && y <= bottom;
          const bool inSquare = x >= 2 && x < s + 2 && y >= 2 && y < s + 2;
          if (!inBox) {
            ASSERT_EQ(image.Color(x, y), inSquare ? g.DarkSquareColor : TColor::White)
                << "size " << s << " code " << code << " at " << x << "," << y;
          }
        }
    }
  }
}

}  // namespace
