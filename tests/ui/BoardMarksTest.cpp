// What happened, on the board: the last move's first and last squares carry
// a thin frame that follows moves, undo and redo, and the squares can show
// their numbers (Board menu, off at first, remembered from one run to the
// next). Pictures of both go to the build folder's screenshots/.
#include <algorithm>
#include <cmath>

#include "FilesFixture.h"

namespace {

std::string ShotPath(const char* name) {
  const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

// The contrast of two colours as legibility guides measure it: 1 (none) to 21.
double Contrast(const TColor& a, const TColor& b) {
  auto luminance = [](const TColor& c) {
    auto linear = [](int v) {
      const double s = v / 255.0;
      return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.Red()) + 0.7152 * linear(c.Green()) + 0.0722 * linear(c.Blue());
  };
  const double x = luminance(a), y = luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

class BoardMarks : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  }
  void Shoot(const char* name) {
    frame->EnableCommands();
    ProcessEvents(20);
    EXPECT_TRUE(GrabFrame(*frame).Save(ShotPath(name).c_str()));
  }
  // Whether the square shows the frame (looked for on its left edge, halfway down).
  bool Framed(const TBitmap& shown, int index) const {
    const TGraphics& g = window->Graphics;
    return shown.Color(g.SquareX[index] + 2, g.SquareY[index] + g.SquareSize / 2) == g.MarkColor;
  }

  // The squares that show the frame.
  std::vector<int> FramedSquares(const TBitmap& shown) const {
    std::vector<int> framed;
    for (int i = FirstSquare; i <= LastSquare; ++i)
      if (IsPlayable(i) && Framed(shown, i)) framed.push_back(i);
    return framed;
  }

  // Whether anything but the square's own colour is drawn in its top-left corner.
  bool CornerWritten(const TBitmap& shown, int index) const {
    const TGraphics& g = window->Graphics;
    for (int y = 1; y < 12; ++y)
      for (int x = 2; x < 14; ++x)
        if (shown.Color(g.SquareX[index] + x, g.SquareY[index] + y) != g.DarkSquareColor) return true;
    return false;
  }

  // How well the number in a square's corner stands out: its strongest pixel against the square.
  double NumberContrast(const TBitmap& shown, int index) const {
    const TGraphics& g = window->Graphics;
    double best = 1;
    for (int y = 1; y < 12; ++y)
      for (int x = 2; x < 14; ++x)
        best = std::max(best, Contrast(shown.Color(g.SquareX[index] + x, g.SquareY[index] + y), g.DarkSquareColor));
    return best;
  }
};

TEST_F(BoardMarks, TheLastMoveIsFramedThroughMovesUndoAndRedo) {
  EXPECT_TRUE(FramedSquares(window->Snapshot()).empty());
  SendMouse(*window, WM_LBUTTONDOWN, Centre(32));  // 12-16, played by the press
  EXPECT_EQ(FramedSquares(window->Snapshot()), (std::vector<int>{28, 32}));
  EXPECT_TRUE(ScreenMatchesBoard());
  PlayMove(1);
  const int* last = window->GameRecord.Cursor->Move;
  std::vector<int> expected{last[0], MoveDestination(last)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FramedSquares(window->Snapshot()), expected);  // the first move's frame is gone
  EXPECT_TRUE(ScreenMatchesBoard());
  Shoot("last-move.png");

  frame->ExecuteCommand(115);
  EXPECT_EQ(FramedSquares(window->Snapshot()), (std::vector<int>{28, 32}));
  EXPECT_TRUE(ScreenMatchesBoard());
  frame->ExecuteCommand(117);
  EXPECT_TRUE(FramedSquares(window->Snapshot()).empty());
  frame->ExecuteCommand(118);
  EXPECT_EQ(FramedSquares(window->Snapshot()), expected);
  // A new game, or a set-up position, has no last move.
  script.Answers = {IDNO};
  frame->ExecuteCommand(152);
  EXPECT_TRUE(FramedSquares(window->Snapshot()).empty());
  EXPECT_TRUE(ScreenMatchesBoard());
}

TEST_F(BoardMarks, ACaptureIsFramedOnItsFirstAndLastSquaresOnly) {
  // Black's man on index 35 jumps 30 and 21, landing on 25 and then 17.
  SetPosition({{35, BlackMan}, {30, WhiteMan}, {21, WhiteMan}, {12, WhiteMan}}, Black);
  Repaint();
  SendMouse(*window, WM_LBUTTONDOWN, Centre(35));  // the only move, played by the press
  ASSERT_EQ(window->GameRecord.MoveCount, 1);
  const int* move = window->GameRecord.Cursor->Move;
  ASSERT_GT(MoveLength(move), 3);  // a double jump
  std::vector<int> expected{move[0], MoveDestination(move)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FramedSquares(window->Snapshot()), expected);
  EXPECT_TRUE(ScreenMatchesBoard());
}

TEST_F(BoardMarks, SquareNumbersAreOffAtFirstAndRemembered) {
  EXPECT_FALSE(Checked(157));
  EXPECT_FALSE(CornerWritten(window->Snapshot(), 44));
  frame->ExecuteCommand(157);
  EXPECT_TRUE(Checked(157));
  window->UpdateWindow();
  TBitmap shown = window->Snapshot();
  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (IsPlayable(i)) {
      EXPECT_TRUE(CornerWritten(shown, i)) << i;
    }
  // The numbers stay through moves and partial redraws, and read well on the
  // dark squares (and would on the light ones).
  SendMouse(*window, WM_LBUTTONDOWN, Centre(32));
  frame->ExecuteCommand(115);
  EXPECT_TRUE(ScreenMatchesBoard());
  shown = window->Snapshot();
  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (IsPlayable(i)) {
      EXPECT_GE(NumberContrast(shown, i), 4.0) << i;
    }
  EXPECT_GE(Contrast(window->Graphics.NumberColor, TColor(255, 255, 255)), 4.0);
  Shoot("square-numbers.png");

  // The next run shows them too, until they are switched off again.
  app.reset();
  StartApplication();
  EXPECT_TRUE(Checked(157));
  EXPECT_TRUE(CornerWritten(window->Snapshot(), 44));
  frame->ExecuteCommand(157);
  window->UpdateWindow();
  EXPECT_FALSE(CornerWritten(window->Snapshot(), 44));
  EXPECT_FALSE(TSettings().ReadBool("Board/SquareNumbers", true));
}

}  // namespace
