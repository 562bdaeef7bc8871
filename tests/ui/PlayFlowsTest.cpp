// Flows with the computer playing: the Level items grayed while it thinks and
// a level chosen between moves used for the next one, Auto Play checked while
// it runs and Normal Play after Force Move, Sound off silencing both beeps, and
// the window closed or the program left while the computer thinks. The suite's
// name puts these tests with the other threaded ones.
#include "FilesFixture.h"
#include "ui/Thinking.h"

namespace {

class ComputerThreadFlows : public GameFlowTest {
 protected:
  void SetUp() override {
    GameFlowTest::SetUp();
    SetAnimationScale(0.05);
    frame->ExecuteCommand(CmOptionsLevel0);  // Easy: the quick two-ply move
  }
  bool WaitForProgress() {
    return ProcessEventsUntil([this] { return ProgressText().rfind("Best ", 0) == 0; }, 15000);
  }
};

TEST_F(ComputerThreadFlows, LevelsAreGrayedWhileThinkingAndApplyFromTheNextMove) {
  frame->ExecuteCommand(CmOptionsLevel7);  // Infinite
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitForProgress()) << StatusText();
  for (int id = CmOptionsLevel0; id <= CmOptionsLevel7; ++id) {
    EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Checked(id), id == CmOptionsLevel7) << id;
  }
  EXPECT_EQ(window->ComputerThread().Engine().Searcher().TimeLimit, 36000000);
  frame->ExecuteCommand(CmOptionsLevel0);  // grayed: nothing changes
  EXPECT_EQ(window->GameStatus.Level, 7);
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle());

  // Chosen between moves, Easy is what the next search gets.
  EXPECT_TRUE(Enabled(CmOptionsLevel0));
  frame->ExecuteCommand(CmOptionsLevel0);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->ComputerThread().Engine().Searcher().TimeLimit, 0);
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
}

TEST_F(ComputerThreadFlows, AutoPlayIsCheckedWhileItRunsAndNormalPlayAfterForceMove) {
  frame->ExecuteCommand(CmMovesAutoPlay);
  ASSERT_TRUE(ProcessEventsUntil([this] { return window->GameRecord.MoveCount >= 3; }, 20000));
  ASSERT_TRUE(window->GameStatus.Thinking);
  EXPECT_TRUE(Checked(CmMovesAutoPlay));
  EXPECT_FALSE(Checked(CmMovesNormalPlay));
  for (int id : {CmMovesNormalPlay, CmMovesTwoPlayer, CmMovesAutoPlay, CmFileNew, CmFileOpen, CmFileSave, CmFileSaveAs,
                 CmMovesUndo, CmBoardSetup})
    EXPECT_FALSE(Enabled(id)) << id;
  EXPECT_TRUE(Enabled(CmActionForceMove));
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
  EXPECT_TRUE(Checked(CmMovesNormalPlay));
  EXPECT_FALSE(Checked(CmMovesAutoPlay));
  EXPECT_TRUE(Enabled(CmMovesUndo));
  // The game it played can be stepped through like any other.
  const int moves = window->GameRecord.MoveCount;
  frame->ExecuteCommand(CmMovesUndoAll);
  EXPECT_EQ(window->GameRecord.Position, 0);
  frame->ExecuteCommand(CmMovesRedoAll);
  EXPECT_EQ(window->GameRecord.Position, moves);
  EXPECT_TRUE(ScreenMatchesBoard());
}

TEST_F(ComputerThreadFlows, SoundOffSilencesBothBeeps) {
  frame->ExecuteCommand(CmOptionsSound);
  EXPECT_EQ(StatusText(), "sound disabled");
  // The computer's move.
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  // A refused drop: a White man with two moves dropped off the board.
  ASSERT_EQ(window->GameStatus.SideToMove, White);
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  int piece = 0;
  for (int k = 0; window->GameStatus.PossibleStart[k] != 0 && piece == 0; ++k) {
    window->GameStatus.SetPossibleMoves(window->GameStatus.PossibleStart[k]);
    if (window->GameStatus.NumPossibleMoves > 1) piece = window->GameStatus.PossibleStart[k];
  }
  ASSERT_NE(piece, 0);
  SendMouse(*window, WM_LBUTTONDOWN, Centre(piece));
  SendMouse(*window, WM_LBUTTONUP, TPoint(2, 2));
  EXPECT_TRUE(script.Beeps.empty());

  // Sound on again: the same two events beep.
  frame->ExecuteCommand(CmOptionsSound);
  EXPECT_EQ(StatusText(), "sound enabled");
  SendMouse(*window, WM_LBUTTONDOWN, Centre(piece));
  SendMouse(*window, WM_LBUTTONUP, TPoint(2, 2));
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(script.Beeps, (std::vector<unsigned>{MB_ICONHAND, MB_ICONASTERISK}));
}

TEST_F(ComputerThreadFlows, ClosingWhileThinkingRecordsTheMoveThenAsks) {
  PlayMove();  // Normal Play: the user's move starts the computer
  ASSERT_TRUE(window->GameChanged);
  frame->ExecuteCommand(CmOptionsLevel7);  // grayed while thinking: the level stays Easy
  window->CmOptionsLevel(7);   // the handler itself does not check: no time limit now
  frame->ExecuteCommand(CmFileNew);  // grayed
  // The close comes at once, perhaps before the search has even started, and
  // must still end it; the computer's move is played and recorded first.
  script.Answers = {IDCANCEL};
  EXPECT_FALSE(frame->CloseWindow());
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_TRUE(frame->IsVisible());
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(LastMessage().Text, "Do you wish to save it?");
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_EQ(window->GameStatus.SideToMove, Black);  // the user's turn again
  EXPECT_EQ(ShownBoard(), ReplayedBoard(2));
  EXPECT_TRUE(ScreenMatchesBoard());

  // Cancel kept the game: it goes on, and the next close saves both moves.
  const std::string path = PathOf("closed-while-thinking.vrk");
  script.Answers = {IDYES};
  script.FileAnswers = {path};
  EXPECT_TRUE(frame->CloseWindow());
  EXPECT_FALSE(frame->IsVisible());
  EXPECT_EQ(SavedMoveCount(path), 2);
}

TEST_F(ComputerThreadFlows, ExitWhileThinkingAsksAboutTheGameWithTheComputersMove) {
  frame->ExecuteCommand(260);
  frame->ExecuteCommand(122);  // the computer plays Black
  ASSERT_TRUE(WaitForProgress()) << StatusText();
  script.Answers = {IDNO};
  frame->ExecuteCommand(CmFileExit);
  EXPECT_TRUE(app->QuitPosted());
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(script.Messages.size(), 1u);  // the move changed the game
}

// Each move of Auto Play is shown whole before the next search starts: the
// piece has landed, what it took is gone, the record holds the move, its
// squares are framed, and the screen shows just that.
TEST_F(ComputerThreadFlows, AutoPlayShowsEachMoveWholeBeforeTheNextSearch) {
  auto& computer = window->ComputerThread();
  int searches = 0, incomplete = 0;
  computer.MakeThread = [&, make = computer.MakeThread](std::function<void()> body) {
    if (searches++ > 0) {
      const int* last = window->GameRecord.Position > 0 ? window->GameRecord.Cursor->Move : nullptr;
      const bool whole = last && window->GameRecord.Position == searches - 1 && ShownBoard() == ReplayedBoard(searches - 1) &&
                         ScreenMatchesBoard() && window->Graphics.MarkedFrom == last[0] && window->Graphics.MarkedTo == MoveDestination(last);
      if (!whole) ++incomplete;
    }
    return make(std::move(body));
  };
  frame->ExecuteCommand(CmMovesAutoPlay);
  ASSERT_TRUE(ProcessEventsUntil([this] { return window->GameRecord.MoveCount >= 12; }, 20000));
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_GE(searches, 12);
  EXPECT_EQ(incomplete, 0);
}

// Closing while the user's move is still shown: the move is made and
// recorded, the computer's answer too (its search stopped at once), and then
// the question about the changed game is asked.
TEST_F(ComputerThreadFlows, ClosingWhileAMoveIsShownRecordsItAndTheAnswer) {
  SetAnimationScale(1.0);
  frame->ExecuteCommand(CmOptionsLevel7);  // only the stop ends the answer's search
  SendMouse(*window, WM_LBUTTONDOWN, Centre(32));  // 12-16, shown for 500 ms
  ASSERT_TRUE(window->Busy());
  ASSERT_EQ(window->GameRecord.MoveCount, 0);
  script.Answers = {IDNO};
  EXPECT_TRUE(frame->CloseWindow());
  EXPECT_FALSE(window->Busy());
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_EQ(ShownBoard(), ReplayedBoard(2));
  ASSERT_EQ(script.Messages.size(), 1u);
  EXPECT_EQ(LastMessage().Text, "Do you wish to save it?");
}

}  // namespace
