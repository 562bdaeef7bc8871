// Stepping through the game with Undo and Redo (and their keys), the items
// they gray, the partial redraw they make, a new move after an undo, and the
// play modes chosen from the Moves menu.
#include "FilesFixture.h"

namespace {

class Navigation : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    window->GameStatus.PlayMode = TPlayMode::TwoPlayer;  // the user plays both sides: no computer here
  }
  // Shows position n of the record with its side to move, and offers that side's pieces.
  void ExpectAt(int n, const char* status) {
    SCOPED_TRACE(status);
    TPlayer side;
    EXPECT_EQ(window->GameRecord.Position, n);
    EXPECT_EQ(ShownBoard(), ReplayedBoard(n, &side));
    EXPECT_EQ(window->GameStatus.SideToMove, side);
    EXPECT_EQ(StatusText(), status);
    ASSERT_NE(window->GameStatus.PossibleStart[0], 0);
    EXPECT_EQ(window->GameStatus.Board[window->GameStatus.PossibleStart[0]] & 1, side);
    EXPECT_TRUE(ScreenMatchesBoard());
    EXPECT_EQ(Enabled(CmMovesUndo), n > 0);
    EXPECT_EQ(Enabled(CmMovesUndoAll), n > 0);
    EXPECT_EQ(Enabled(CmMovesRedo), n < window->GameRecord.MoveCount);
    EXPECT_EQ(Enabled(CmMovesRedoAll), n < window->GameRecord.MoveCount);
  }
};

TEST_F(Navigation, UndoRedoAndTheirEnablersStepByStep) {
  EXPECT_FALSE(Enabled(CmMovesUndo));
  EXPECT_FALSE(Enabled(CmMovesUndoAll));
  EXPECT_FALSE(Enabled(CmMovesRedo));
  EXPECT_FALSE(Enabled(CmMovesRedoAll));
  PlayMoves(5);
  ASSERT_EQ(window->GameRecord.MoveCount, 5);
  frame->ExecuteCommand(CmMovesUndo);
  ExpectAt(4, "undo");
  frame->ExecuteCommand(CmMovesUndo);
  ExpectAt(3, "undo");
  frame->ExecuteCommand(CmMovesUndoAll);
  ExpectAt(0, "undo all");
  frame->ExecuteCommand(CmMovesRedo);
  ExpectAt(1, "redo");
  frame->ExecuteCommand(CmMovesRedoAll);
  ExpectAt(5, "redo all");
  EXPECT_EQ(window->GameRecord.MoveCount, 5);  // nothing was lost on the way
}

TEST_F(Navigation, PageKeysHomeAndEndStepThroughTheGame) {
  ASSERT_TRUE(ActivateFrame(*frame));
  PlayMoves(4);
  SendKey(*frame, 0, VK_PRIOR);
  ExpectAt(3, "undo");
  SendKey(*frame, 0, VK_HOME);
  ExpectAt(0, "undo all");
  SendKey(*frame, 0, VK_NEXT);
  ExpectAt(1, "redo");
  SendKey(*frame, 0, VK_END);
  ExpectAt(4, "redo all");
}

TEST_F(Navigation, UndoAndRedoAtTheEndsShowTheSamePosition) {
  PlayMoves(2);
  window->CmMovesRedo();  // the item is grayed; the handler itself rebuilds the same position
  ExpectAt(2, "redo");
  window->CmMovesUndoAll();
  window->CmMovesUndo();
  ExpectAt(0, "undo");
}

TEST_F(Navigation, AMoveAfterUndoReplacesTheOldContinuation) {
  PlayMoves(4);
  frame->ExecuteCommand(CmMovesUndo);
  frame->ExecuteCommand(CmMovesUndo);
  const std::vector<int> oldThird = ReplayedBoard(3);
  PlayMove(1);  // another move than the one played before (PlayMoves played choice 2 here)
  EXPECT_EQ(window->GameRecord.MoveCount, 3);
  EXPECT_EQ(window->GameRecord.Position, 3);
  EXPECT_NE(ShownBoard(), oldThird);
  EXPECT_FALSE(Enabled(CmMovesRedo));
  EXPECT_FALSE(Enabled(CmMovesRedoAll));
  EXPECT_TRUE(window->GameChanged);
}

TEST_F(Navigation, StepsDoNotChangeTheGameSavedFlag) {
  PlayMoves(3);
  RunWithFileAnswer(CmFileSave, PathOf("saved.vrk"));
  ASSERT_FALSE(window->GameChanged);
  frame->ExecuteCommand(CmMovesUndo);
  frame->ExecuteCommand(CmMovesUndoAll);
  frame->ExecuteCommand(CmMovesRedoAll);
  EXPECT_FALSE(window->GameChanged);
  frame->ExecuteCommand(CmFileNew);  // nothing to ask about
  EXPECT_TRUE(script.Messages.empty());
}

TEST_F(Navigation, UndoInNormalPlayTakesBackTheReplyWithTheUsersMove) {
  // Two user moves, each answered, as the record holds them.
  window->GameStatus.PlayMode = TPlayMode::NormalPlay;
  window->UserSide = Black;
  int moves[4][3] = {{32, 28, 0}, {21, 25, 0}, {33, 29, 0}, {20, 24, 0}};
  for (auto& move : moves) {
    window->GameRecord.AddMove(move);
    TMoveGenerator::MakeMove(move, window->GameStatus.Board);
  }
  window->GameStatus.SetPossibleStart();
  Repaint();
  frame->ExecuteCommand(CmMovesUndo);
  ExpectAt(2, "undo");
  EXPECT_EQ(window->GameStatus.SideToMove, Black);  // the user's turn again
  EXPECT_FALSE(window->GameStatus.Thinking);        // the computer does not move by itself
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
  frame->ExecuteCommand(115);
  ExpectAt(0, "undo");
  frame->ExecuteCommand(116);  // Redo: the user's move with its answer
  ExpectAt(2, "redo");
  frame->ExecuteCommand(116);
  ExpectAt(4, "redo");

  // Two players step one move at a time over the same game.
  frame->ExecuteCommand(113);
  frame->ExecuteCommand(115);
  ExpectAt(3, "undo");
  frame->ExecuteCommand(116);
  ExpectAt(4, "redo");
}

TEST_F(Navigation, UndoAfterTheUsersWinningMoveTakesBackThatMoveOnly) {
  // The user (Black) moves, the computer answers, and the user takes White's
  // last piece: the computer had no answer to that.
  SetPosition({{34, BlackMan}, {21, WhiteMan}}, Black);
  window->GameStatus.PlayMode = TPlayMode::NormalPlay;
  window->UserSide = Black;
  int moves[3][4] = {{34, 30, 0}, {21, 26, 0}, {30, 26, 22, 0}};
  for (auto& move : moves) {
    window->GameRecord.AddMove(move);
    TMoveGenerator::MakeMove(move, window->GameStatus.Board);
  }
  window->GameStatus.SideToMove = White;
  window->GameStatus.SetPossibleStart();
  Repaint();
  frame->ExecuteCommand(115);
  ExpectAt(2, "undo");  // Black, the user, to move again
  frame->ExecuteCommand(115);
  ExpectAt(0, "undo");
}

TEST_F(Navigation, PlayModesCheckTheirItemsAndLeaveSetupMode) {
  EXPECT_TRUE(Checked(CmMovesTwoPlayer));
  frame->ExecuteCommand(CmMovesNormalPlay);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
  EXPECT_TRUE(Checked(CmMovesNormalPlay));
  EXPECT_FALSE(Checked(CmMovesTwoPlayer));
  EXPECT_FALSE(Checked(CmMovesAutoPlay));

  // Two Player while a position is being set up: setup mode ends, the position stays.
  frame->ExecuteCommand(CmBoardSetup);
  frame->ExecuteCommand(CmBoardClear);
  SendMouse(*window, WM_LBUTTONDOWN, Centre(30));  // a Black man
  SendMouse(*window, WM_LBUTTONDOWN, Centre(20));
  SendMouse(*window, WM_RBUTTONDOWN, Centre(20));  // a White man
  frame->ExecuteCommand(CmMovesTwoPlayer);
  EXPECT_FALSE(window->GameStatus.SetupMode);
  EXPECT_FALSE(Checked(CmBoardSetup));
  EXPECT_TRUE(Checked(CmMovesTwoPlayer));
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::TwoPlayer);
  EXPECT_EQ(window->GameStatus.Board[30], BlackMan);
  EXPECT_EQ(window->GameStatus.Board[20], WhiteMan);
  EXPECT_EQ(window->GameStatus.PossibleStart[0], 30);  // Black can move the man set up
  PlayMove();
  PlayMove();
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
}

}  // namespace
