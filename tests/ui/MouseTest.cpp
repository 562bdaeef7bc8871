// Playing with the mouse in the window: a press plays a piece's only move, a
// drag plays a capture to its last square, refused drops, the hand cursor, the
// animation reaching the screen while input waits, and setup editing.
#include "UiFixture.h"

namespace {

class Mouse : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    window->GameStatus.PlayMode = TPlayMode::TwoPlayer;  // two players: no computer in these tests
  }
  void Press(int index) { SendMouse(*window, WM_LBUTTONDOWN, Centre(index)); }
  void DragTo(int index) {
    SendMouse(*window, WM_MOUSEMOVE, Centre(index), MK_LBUTTON);
    SendMouse(*window, WM_LBUTTONUP, Centre(index));
  }
  // The colour at the middle of the top face of a man on the square, as shown.
  TColor FaceOf(const TBitmap& shown, int index) const {
    return shown.Color(window->Graphics.SquareX[index] + window->Graphics.SquareSize / 2, window->Graphics.SquareY[index] + window->Graphics.SquareSize / 3);
  }
  // Black man on 40 takes 35 and lands on 30, then takes 26 (to 22) or 25 (to 20).
  void TwoCapturesPosition() {
    SetPosition({{40, BlackMan}, {35, WhiteMan}, {26, WhiteMan}, {25, WhiteMan}, {11, WhiteMan}}, Black);
    Repaint();
  }
};

TEST_F(Mouse, PressPlaysAPieceWithOneMove) {
  // Square 12 (index 32) can only go to 16 (index 28).
  Press(32);
  EXPECT_EQ(window->GameStatus.Board[32], Empty);
  EXPECT_EQ(window->GameStatus.Board[28], BlackMan);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(window->GameStatus.SideToMove, White);
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
  EXPECT_EQ(window->GetCursorId(), IDC_ARROW);
  EXPECT_EQ(StatusText(), "you played 12-16");
  EXPECT_TRUE(window->GameChanged);
  // White's men are movable now, Black's are not.
  EXPECT_EQ(window->GameStatus.PossibleStart[0], 19);
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(FaceOf(shown, 28), window->Graphics.BlackTopColor);
  EXPECT_EQ(FaceOf(shown, 32), window->Graphics.DarkSquareColor);
  // The release that follows plays nothing more.
  SendMouse(*window, WM_LBUTTONUP, Centre(28));
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
}

TEST_F(Mouse, ACommandKeyDuringADragPutsThePieceBack) {
  // Square 11 (index 33) has two moves, so the press picks it up.
  Press(33);
  ASSERT_EQ(window->GameStatus.DragState, TDragState::Dragging);
  ASSERT_TRUE(window->HasCapture());
  frame->ExecuteCommand(CmBoardSetup);  // Ctrl+S: setup mode, mid-drag
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
  EXPECT_FALSE(window->HasCapture());
  EXPECT_EQ(window->GetCursorId(), IDC_ARROW);
  EXPECT_EQ(FaceOf(window->Snapshot(), 33), window->Graphics.BlackTopColor);
  // The release that follows plays nothing and edits nothing.
  SendMouse(*window, WM_LBUTTONUP, Centre(28));
  EXPECT_EQ(window->GameStatus.Board[33], BlackMan);
  EXPECT_EQ(window->GameStatus.Board[28], Empty);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
}

TEST_F(Mouse, PressOutsideTheMovablePiecesDoesNothing) {
  for (int index : {41, 37, 28, 19}) Press(index);  // blocked, blocked, empty, White's
  SendMouse(*window, WM_LBUTTONDOWN, TPoint(3, 3));
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_TRUE(desktop.Beeps.empty());
}

TEST_F(Mouse, DragPlaysATwoJumpCaptureToItsLastSquare) {
  TwoCapturesPosition();
  Press(40);
  EXPECT_EQ(window->GameStatus.DragState, TDragState::Dragging);
  EXPECT_EQ(window->GameStatus.NumPossibleMoves, 2);
  EXPECT_EQ(window->GetCursorId(), 801);  // a Black man in the hand
  EXPECT_TRUE(window->HasCapture());
  EXPECT_EQ(FaceOf(window->Snapshot(), 40), window->Graphics.DarkSquareColor);  // lifted off its square
  DragTo(22);
  EXPECT_FALSE(window->HasCapture());
  EXPECT_EQ(window->GameStatus.Board[22], BlackMan);
  EXPECT_EQ(window->GameStatus.Board[40], Empty);
  EXPECT_EQ(window->GameStatus.Board[35], Empty);
  EXPECT_EQ(window->GameStatus.Board[26], Empty);
  EXPECT_EQ(window->GameStatus.Board[25], WhiteMan);
  ASSERT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(MoveLength(window->GameRecord.Cursor->Move), 5);
  EXPECT_EQ(StatusText(), "you played 5x21");
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(FaceOf(shown, 22), window->Graphics.BlackTopColor);
  EXPECT_EQ(FaceOf(shown, 35), window->Graphics.DarkSquareColor);
  EXPECT_EQ(FaceOf(shown, 26), window->Graphics.DarkSquareColor);
  EXPECT_TRUE(desktop.Beeps.empty());
}

TEST_F(Mouse, DropOnTheMiddleLandingIsRefusedWithABeep) {
  TwoCapturesPosition();
  Press(40);
  DragTo(30);
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(window->GameStatus.Board[40], BlackMan);
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
  EXPECT_EQ(window->GetCursorId(), IDC_ARROW);
  EXPECT_EQ(desktop.Beeps, std::vector<unsigned>{MB_ICONHAND});
  EXPECT_EQ(FaceOf(window->Snapshot(), 40), window->Graphics.BlackTopColor);  // back on its square
}

TEST_F(Mouse, DropBackOnItsOwnSquareIsSilent) {
  TwoCapturesPosition();
  Press(40);
  DragTo(40);
  EXPECT_TRUE(desktop.Beeps.empty());
  EXPECT_EQ(FaceOf(window->Snapshot(), 40), window->Graphics.BlackTopColor);
}

TEST_F(Mouse, RefusedDropIsSilentWithSoundOff) {
  TwoCapturesPosition();
  window->GameStatus.Sound = false;
  Press(40);
  SendMouse(*window, WM_LBUTTONUP, TPoint(2, 2));  // off the board
  EXPECT_TRUE(desktop.Beeps.empty());
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  window->GameStatus.Sound = true;
  Press(40);
  SendMouse(*window, WM_LBUTTONUP, TPoint(2, 2));
  EXPECT_EQ(desktop.Beeps, std::vector<unsigned>{MB_ICONHAND});
}

TEST_F(Mouse, KingInTheHandShowsAKingCursor) {
  SetPosition({{30, WhiteKing}, {11, BlackMan}}, White);
  Press(30);
  EXPECT_EQ(window->GetCursorId(), 802);
  SendMouse(*window, WM_LBUTTONUP, Centre(30));
  SetPosition({{30, BlackKing}, {11, WhiteMan}}, Black);
  Press(30);
  EXPECT_EQ(window->GetCursorId(), 803);
}

TEST_F(Mouse, HandCursorOnlyOverMovablePieces) {
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i)) continue;
    SendMouse(*window, WM_MOUSEMOVE, Centre(i));
    const bool movable = i >= 32 && i <= 35;  // squares 9 to 12
    EXPECT_EQ(window->GetCursorId(), movable ? 804 : IDC_ARROW) << i;
    EXPECT_EQ(window->GameStatus.DragState, movable ? TDragState::OverMovable : TDragState::None) << i;
  }
  SendMouse(*window, WM_MOUSEMOVE, Centre(33));
  SendMouse(*window, WM_MOUSEMOVE, TPoint(1, 1));
  EXPECT_EQ(window->GetCursorId(), IDC_ARROW);
  // Not in setup mode.
  window->GameStatus.SetupMode = true;
  SendMouse(*window, WM_MOUSEMOVE, Centre(33));
  EXPECT_EQ(window->GetCursorId(), IDC_ARROW);
}

TEST_F(Mouse, DoubleClickActsAsASecondPress) {
  SendMouse(*window, WM_LBUTTONDBLCLK, Centre(32));
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
}

// The move is drawn before each pause, so the screen shows it while the
// program waits; a press that arrives meanwhile is refused, and the commands
// that would change the game are grayed until the move is made.
TEST_F(Mouse, AnimationReachesTheScreenAndInputIsRefusedMeanwhile) {
  SetAnimationScale(1.0);  // 500 ms for a simple move
  Press(32);
  EXPECT_TRUE(window->Busy());
  const TBitmap shown = GrabWindow(*window);
  EXPECT_EQ(FaceOf(shown, 32), window->Graphics.DarkSquareColor);
  EXPECT_EQ(FaceOf(shown, 28), window->Graphics.BlackTopColor);
  EXPECT_EQ(window->GameStatus.Board[32], BlackMan);  // the board changes only after the animation
  // A repaint meanwhile shows the move as far as it has come.
  Repaint();
  EXPECT_EQ(FaceOf(window->Snapshot(), 28), window->Graphics.BlackTopColor);
  EXPECT_EQ(FaceOf(window->Snapshot(), 32), window->Graphics.DarkSquareColor);
  // White's man on square 21 (index 22) has one move, to 17 (index 26): its press comes too soon.
  Press(22);
  EXPECT_FALSE(Enabled(CmMovesUndo));
  EXPECT_FALSE(Enabled(CmFileNew));
  EXPECT_TRUE(Enabled(CmBoardSquareNumbers));
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  ASSERT_TRUE(WaitUntilIdle(2000));
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(window->GameStatus.Board[28], BlackMan);
  EXPECT_EQ(window->GameStatus.Board[22], WhiteMan);  // the early press played nothing
  EXPECT_EQ(window->GameStatus.SideToMove, White);
  // Now it is White's turn, and the same press plays.
  Press(22);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  ASSERT_TRUE(WaitUntilIdle(2000));
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_EQ(window->GameStatus.Board[26], WhiteMan);
}

// Setup editing: left clicks run an empty square through Black man, Black
// king, White man, White king and back to empty; right clicks swap colours.
class Setup : public Mouse {
 protected:
  void SetUp() override {
    Mouse::SetUp();
    window->GameStatus.SetupMode = true;
  }
  void Click(int index, bool left = true) {
    SendMouse(*window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, Centre(index));
  }
};

TEST_F(Setup, LeftClicksCycleThroughThePieces) {
  const int square = 28;
  std::vector<int> codes;
  for (int k = 0; k < 6; ++k) {
    Click(square);
    codes.push_back(window->GameStatus.Board[square]);
  }
  EXPECT_EQ(codes, (std::vector<int>{BlackMan, BlackKing, WhiteMan, WhiteKing, Empty, BlackMan}));
  EXPECT_EQ(window->GameStatus.SetupPiece, BlackMan);
  // Each edit restarts the record from the position shown.
  EXPECT_TRUE(std::equal(window->GameStatus.Board, window->GameStatus.Board + BoardSize, window->GameRecord.StartBoard));
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(window->Graphics.BlackTopColor,
            window->Snapshot().Color(window->Graphics.SquareX[square] + 27, window->Graphics.SquareY[square] + 18));
}

struct TSetupCase {
  int Index;
  int Old;
  int SetupPiece;
  bool Left;
  int New;
};

TEST_F(Setup, BothButtonsFollowTheTable) {
  const TSetupCase cases[] = {
      // Black man: left crowns, right swaps colour (on White's crowning row it crowns instead).
      {28, BlackMan, BlackMan, true, BlackKing},   {28, BlackMan, BlackMan, false, WhiteMan},
      {42, BlackMan, BlackMan, false, BlackKing},
      // Black king: left gives a White man (a White king on White's crowning row), right a White king.
      {28, BlackKing, BlackMan, true, WhiteMan},   {42, BlackKing, BlackMan, true, WhiteKing},
      {28, BlackKing, BlackMan, false, WhiteKing},
      // White man: left crowns; right gives a Black man, or a White king on Black's crowning row.
      {28, WhiteMan, BlackMan, true, WhiteKing},   {28, WhiteMan, BlackMan, false, BlackMan},
      {12, WhiteMan, BlackMan, false, WhiteKing},
      // White king: left empties, right gives a Black king.
      {28, WhiteKing, BlackMan, true, Empty},      {28, WhiteKing, BlackMan, false, BlackKing},
      // Empty after a White piece: a White man, crowned or swapped on White's crowning row.
      {28, Empty, WhiteMan, true, WhiteMan},       {42, Empty, WhiteKing, true, WhiteKing},
      {28, Empty, WhiteKing, false, WhiteMan},     {42, Empty, WhiteMan, false, BlackMan},
      // Empty after anything else: a Black man, crowned or swapped on Black's crowning row.
      {28, Empty, Empty, true, BlackMan},          {12, Empty, Empty, true, BlackKing},
      {28, Empty, BlackKing, false, BlackMan},     {12, Empty, BlackMan, false, WhiteMan},
  };
  for (const TSetupCase& c : cases) {
    window->GameStatus.Board[c.Index] = c.Old;
    window->GameStatus.SetupPiece = c.SetupPiece;
    Click(c.Index, c.Left);
    EXPECT_EQ(window->GameStatus.Board[c.Index], c.New)
        << "index " << c.Index << " old " << c.Old << " piece " << c.SetupPiece << (c.Left ? " left" : " right");
    EXPECT_EQ(window->GameStatus.SetupPiece, c.New);
  }
}

TEST_F(Setup, ClickOnASharedCornerEditsBothSquares) {
  const TPoint corner(window->Graphics.SquareX[28], window->Graphics.SquareY[28]);  // also the bottom-right corner of index 23
  ASSERT_TRUE(window->Graphics.IsInZone(corner, 23));
  SendMouse(*window, WM_LBUTTONDOWN, corner);
  EXPECT_EQ(window->GameStatus.Board[23], BlackMan);
  EXPECT_EQ(window->GameStatus.Board[28], BlackMan);
}

TEST_F(Setup, EditsLeaveTheSideAndMoveInputAlone) {
  Click(28);
  Click(29, false);
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_EQ(window->GameStatus.PossibleStart[0], 32);
  EXPECT_EQ(window->GameStatus.DragState, TDragState::None);
}

TEST_F(Mouse, RightButtonDoesNothingOutsideSetup) {
  SendMouse(*window, WM_RBUTTONDOWN, Centre(28));
  SendMouse(*window, WM_RBUTTONDOWN, Centre(32));
  EXPECT_EQ(window->GameStatus.Board[28], Empty);
  EXPECT_EQ(window->GameStatus.Board[32], BlackMan);
}

}  // namespace
