// The board window's own drawing between paints: the squares redrawn after the
// position changed behind the screen, and moves shown step by step.
#include "Colours.h"
#include "UiFixture.h"

namespace {

class BoardWindow : public UiTest {
 protected:
  TColor FaceOf(const TBitmap& shown, int index, bool king = false) const {
    const int s = window->Graphics.SquareSize;
    const int top = king ? (s + 5) / 14 : (s + 1) / 6;
    return shown.Color(window->Graphics.SquareX[index] + s / 2, window->Graphics.SquareY[index] + top + s / 5);
  }
};

// A new window is a new game with the program's first settings (the window
// settings kept from an earlier run aside, which the fixture clears).
TEST_F(BoardWindow, StartsAsTheProgramStarts) {
  const TGameStatus& status = window->GameStatus;
  EXPECT_EQ(status.PlayMode, TPlayMode::NormalPlay);
  EXPECT_EQ(status.TimeLimit, 2);
  EXPECT_EQ(status.Level, 2);
  EXPECT_EQ(status.SideToMove, Black);
  EXPECT_FALSE(status.Thinking);
  EXPECT_FALSE(status.Inverted);
  EXPECT_EQ(status.DragState, TDragState::None);
  EXPECT_TRUE(status.Sound);
  EXPECT_FALSE(status.SetupMode);
  EXPECT_EQ(status.SetupPiece, BlackMan);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_TRUE(std::equal(status.Board, status.Board + BoardSize, window->GameRecord.StartBoard));
  EXPECT_FALSE(window->Busy());
}

TEST_F(BoardWindow, UpdateBoardRedrawsOnlyTheChangedSquares) {
  int previous[BoardSize];
  std::copy(window->GameStatus.Board, window->GameStatus.Board + BoardSize, previous);
  const TBitmap before = window->Snapshot();
  window->UpdateBoard(previous);  // nothing changed: nothing drawn
  const TBitmap same = window->Snapshot();
  for (int y = 0; y < before.Height(); ++y)
    for (int x = 0; x < before.Width(); ++x) ASSERT_EQ(same.Pixel(x, y), before.Pixel(x, y));

  // Behind the screen: 12-16 played and a White man crowned on square 30 (index 14).
  window->GameStatus.Board[32] = Empty;
  window->GameStatus.Board[28] = BlackMan;
  window->GameStatus.Board[14] = WhiteKing;
  window->UpdateBoard(previous);
  const TBitmap after = window->Snapshot();
  EXPECT_EQ(FaceOf(after, 32), window->Graphics.DarkSquareColor);
  EXPECT_EQ(FaceOf(after, 28), window->Graphics.BlackTopColor);
  EXPECT_EQ(FaceOf(after, 14, true), window->Graphics.WhiteTopColor);
  // A king stands higher: the man's face that was there is gone above the king's outline.
  EXPECT_EQ(after.Color(window->Graphics.SquareX[14] + 27, window->Graphics.SquareY[14] + 3), window->Graphics.DarkSquareColor);
  EXPECT_TRUE(colours::Near(after.Color(window->Graphics.SquareX[14] + 27, window->Graphics.SquareY[14] + 4), TColor::Black));
  // Squares that did not change kept their pixels.
  for (int i : {33, 19, 23}) EXPECT_EQ(FaceOf(after, i), FaceOf(before, i));
}

TEST_F(BoardWindow, CrowningMoveIsShownAsAKing) {
  SetPosition({{14, BlackMan}, {25, WhiteMan}}, Black);
  Repaint();
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  int move[] = {14, 10, 0};
  window->MakeMoveShowMove(move);
  EXPECT_EQ(window->GameStatus.Board[10], BlackKing);
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(FaceOf(shown, 10, true), window->Graphics.BlackTopColor);
  EXPECT_EQ(FaceOf(shown, 14), window->Graphics.DarkSquareColor);
}

TEST_F(BoardWindow, KingCaptureRoundTripEndsOnItsOwnSquare) {
  // The Black king on 33 takes all four White men around it and lands where it started.
  SetPosition({{33, BlackKing}, {29, WhiteMan}, {30, WhiteMan}, {39, WhiteMan}, {38, WhiteMan}, {11, WhiteMan}},
              Black);
  Repaint();
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  SendMouse(*window, WM_LBUTTONDOWN, Centre(33));
  ASSERT_EQ(window->GameStatus.DragState, TDragState::Dragging);
  ASSERT_EQ(MoveDestination(window->GameStatus.PossibleMoves.Moves[0]), 33);
  SendMouse(*window, WM_LBUTTONUP, Centre(33));  // a move ends here, so this is no put-back
  ASSERT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(MoveLength(window->GameRecord.Cursor->Move), 9);
  EXPECT_EQ(window->GameStatus.Board[33], BlackKing);
  for (int i : {29, 30, 38, 39}) EXPECT_EQ(window->GameStatus.Board[i], Empty) << i;
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(FaceOf(shown, 33, true), window->Graphics.BlackTopColor);
  for (int i : {29, 30, 38, 39}) EXPECT_EQ(FaceOf(shown, i), window->Graphics.DarkSquareColor) << i;
  EXPECT_TRUE(desktop.Beeps.empty());
}

}  // namespace
