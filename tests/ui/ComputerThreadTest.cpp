// The computer's thread: it plays and reports its moves, goes on in Auto Play,
// stops on Force Move, leaves the window working while it thinks, and is
// stopped and waited for when the window closes or the program exits. These
// tests carry the label `threaded` and run under ThreadSanitizer.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <system_error>
#include <thread>

#include "UiFixture.h"
#include "engine/Metrics.h"
#include "search/Book.h"
#include "ui/Thinking.h"

namespace {

// Ends the test program if a test hangs (a thread that never stops).
class TWatchdog {
 public:
  explicit TWatchdog(int seconds)
      : thread_([this, seconds] {
          std::unique_lock lock(mutex_);
          if (!done_.wait_for(lock, std::chrono::seconds(seconds), [this] { return finished_; })) {
            std::fprintf(stderr, "watchdog: the test hangs\n");
            std::abort();
          }
        }) {}
  ~TWatchdog() {
    {
      std::lock_guard lock(mutex_);
      finished_ = true;
    }
    done_.notify_all();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::thread thread_;
};

class ComputerThread : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetAnimationScale(0.05);
    frame->ExecuteCommand(CmOptionsLevel0);  // Easy: the quick two-ply move
  }
  // The game record replayed from its start gives the position shown.
  bool RecordMatchesBoard() const {
    int board[BoardSize];
    TPlayer side;
    window->GameRecord.GoTo(window->GameRecord.Position, board, &side);
    return std::equal(board, board + BoardSize, window->GameStatus.Board) && side == window->GameStatus.SideToMove;
  }
  TWatchdog watchdog{180};
};

TEST_F(ComputerThread, ComputerGoPlaysOneMoveAndReportsIt) {
  frame->ExecuteCommand(CmActionComputerGo);
  EXPECT_TRUE(window->GameStatus.Thinking);  // set before the thread runs
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(window->GameStatus.SideToMove, White);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
  EXPECT_TRUE(window->GameChanged);
  EXPECT_TRUE(RecordMatchesBoard());
  EXPECT_EQ(StatusText().rfind("Played ", 0), 0u) << StatusText();
  EXPECT_EQ(desktop.Beeps, std::vector<unsigned>{MB_ICONASTERISK});
  EXPECT_EQ(window->GameStatus.PossibleStart[0], 19);  // White's men are movable now
  // The window shows the computer's move.
  const int* move = window->GameRecord.Cursor->Move;
  const TBitmap shown = window->Snapshot();
  const int to = MoveDestination(move);
  EXPECT_EQ(shown.Color(window->Graphics.SquareX[to] + 27, window->Graphics.SquareY[to] + 18), window->Graphics.BlackTopColor);
  EXPECT_EQ(shown.Color(window->Graphics.SquareX[move[0]] + 27, window->Graphics.SquareY[move[0]] + 18), window->Graphics.DarkSquareColor);
  // Computer Go again: now it plays White.
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
}

TEST_F(ComputerThread, SoundOffMeansNoBeep) {
  frame->ExecuteCommand(CmOptionsSound);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_TRUE(desktop.Beeps.empty());
}

TEST_F(ComputerThread, SideWithoutAMoveLosesAtOnce) {
  SetPosition({{11, WhiteMan}}, Black);
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(StatusText(), "White wins");
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(window->GameStatus.Board[11], WhiteMan);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
}

TEST_F(ComputerThread, UserMoveThatLeavesTheComputerNoMoveWins) {
  SetPosition({{30, BlackMan}, {26, WhiteMan}}, Black);  // Black takes White's last piece
  Repaint();
  SendMouse(*window, WM_LBUTTONDOWN, Centre(30));
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(StatusText(), "Black wins");
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_TRUE(desktop.Beeps.empty());  // nothing was searched or played
}

TEST_F(ComputerThread, UserMoveInNormalPlayIsAnswered) {
  SendMouse(*window, WM_LBUTTONDOWN, Centre(32));  // 12-16, played by the press
  EXPECT_TRUE(window->Busy());
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_EQ(window->GameStatus.SideToMove, Black);
  EXPECT_TRUE(RecordMatchesBoard());
}

TEST_F(ComputerThread, ComputerGoInTwoPlayerPlaysOnceAndReturnsToNormalPlay) {
  frame->ExecuteCommand(CmMovesTwoPlayer);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
}

TEST_F(ComputerThread, NoSecondThreadWhileThinking) {
  frame->ExecuteCommand(CmActionComputerGo);
  window->StartThinkingMove();
  window->CmActionComputerGo();
  window->CmMovesAutoPlay();
  ASSERT_TRUE(WaitUntilIdle());
  ProcessEvents(50);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
}

// Above Easy the first moves come from the opening book at once, said on the
// status bar; at Easy the computer finds its own.
TEST_F(ComputerThread, OpeningBookAtEveryLevelButEasy) {
  window->OpeningBookOff = false;
  ASSERT_NE(DefaultBook(), nullptr) << DefaultBookPath();
  frame->ExecuteCommand(CmOptionsLevel7);  // Infinite: only the book answers at once
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle(5000));
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  const std::string played = StatusText();
  EXPECT_EQ(played.rfind("Played ", 0), 0u) << played;
  EXPECT_EQ(played.substr(played.size() - 6), "  book") << played;
  frame->ExecuteCommand(CmOptionsLevel0);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 2);
  EXPECT_EQ(StatusText().find("book"), std::string::npos) << StatusText();
}

TEST_F(ComputerThread, ForceMoveActsWhileThinkingAndPlaysTheBestMoveSoFar) {
  window->CmActionForceMove();  // nothing to stop
  EXPECT_FALSE(window->ComputerThread().Control.StopRequest);

  // A search without a time limit plays its best move so far when forced.
  frame->ExecuteCommand(CmOptionsLevel7);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(ProcessEventsUntil([this] { return window->ComputerThread().Control.MoveAvailable.load(); }, 10000));
  ProcessEvents(300);
  frame->EnableCommands();
  EXPECT_TRUE(frame->IsCommandEnabled(CmActionForceMove));
  EXPECT_TRUE(window->GameStatus.Thinking);
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle(30000));
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
}

// One press ends Auto Play whenever it comes: during a search, while the
// fallback move is found, during the animation or between two moves. At most
// the move under way is still played.
TEST_F(ComputerThread, OneForceMoveAtARandomMomentEndsAutoPlay) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  struct TTrial {
    int Level;
    int MaxDelayMs;
    int Count;
  };
  // Easy: almost all of the time goes to animations and hand-overs; 2 seconds:
  // mostly searching.
  for (const TTrial trial : {TTrial{CmOptionsLevel0, 80, 24}, TTrial{CmOptionsLevel1, 1500, 4}}) {
    frame->ExecuteCommand(trial.Level);
    for (int k = 0; k < trial.Count; ++k) {
      frame->ExecuteCommand(CmMovesUndoAll);
      frame->ExecuteCommand(CmMovesAutoPlay);
      ASSERT_TRUE(window->GameStatus.Thinking);
      ProcessEvents(std::uniform_int_distribution<int>(0, trial.MaxDelayMs)(random));
      if (!window->GameStatus.Thinking) continue;  // the game ended first
      const int played = window->GameRecord.MoveCount;
      frame->ExecuteCommand(CmActionForceMove);
      ASSERT_TRUE(WaitUntilIdle()) << "trial " << k;
      EXPECT_LE(window->GameRecord.MoveCount, played + 1) << "trial " << k;
      EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
      EXPECT_TRUE(RecordMatchesBoard());
    }
  }
}

TEST_F(ComputerThread, AnEarlierForceMoveDoesNotEndTheNextAutoPlay) {
  // Black's only move is 12-16: the driver answers it without a search.
  SetPosition({{32, BlackMan}, {11, WhiteMan}, {12, WhiteMan}}, Black);
  window->ComputerThread().Control.StopRequest = true;  // left over from a move forced earlier
  frame->ExecuteCommand(CmMovesAutoPlay);
  ASSERT_TRUE(ProcessEventsUntil([this] { return window->GameRecord.MoveCount >= 3 || !window->GameStatus.Thinking; }, 20000));
  EXPECT_GE(window->GameRecord.MoveCount, 3);
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle());
}

// While the computer thinks the window repaints, shows progress, and answers
// Force Move, Sound and About; the commands that would change the game are grayed.
TEST_F(ComputerThread, WindowStaysResponsiveWhileThinking) {
  frame->ExecuteCommand(CmOptionsLevel7);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(ProcessEventsUntil([this] { return ProgressText().rfind("Best ", 0) == 0; }, 15000)) << ProgressText();
  window->Invalidate(true);
  const TBitmap shown = window->Snapshot();
  EXPECT_EQ(shown.Color(window->Graphics.SquareX[35] + 27, window->Graphics.SquareY[35] + 18), window->Graphics.BlackTopColor);
  frame->EnableCommands();
  EXPECT_FALSE(frame->IsCommandEnabled(CmBoardInvertBoard));
  EXPECT_FALSE(frame->IsCommandEnabled(CmActionComputerGo));
  EXPECT_TRUE(frame->IsCommandEnabled(CmActionForceMove));
  frame->ExecuteCommand(CmBoardInvertBoard);  // grayed: nothing happens
  EXPECT_FALSE(window->GameStatus.Inverted);
  frame->ExecuteCommand(CmOptionsSound);
  EXPECT_FALSE(window->GameStatus.Sound);
  EXPECT_EQ(StatusText(), "sound disabled");
  desktop.WhileDialogOpen = [] { ProcessEvents(100); };
  frame->ExecuteCommand(CmAbout);
  EXPECT_EQ(desktop.Dialogs, std::vector<int>{1001});
  EXPECT_TRUE(window->GameStatus.Thinking);
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle(30000));
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
  EXPECT_TRUE(desktop.Beeps.empty());  // sound was switched off before the move
}

TEST_F(ComputerThread, AutoPlayWithForceMovesAndACloseInTheMiddle) {
  desktop.WhileDialogOpen = [] { ProcessEvents(60); };
  auto gameOver = [this] { return StatusText() == "White wins" || StatusText() == "Black wins"; };
  int forced = 0;
  int target = 8;
  frame->ExecuteCommand(CmMovesAutoPlay);
  EXPECT_TRUE(window->GameStatus.Thinking);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::AutoPlay);
  // The move under way may end the game first, so go on until three presses
  // have ended Auto Play and three dozen moves are played.
  for (int round = 0; forced < 3 || window->GameRecord.Position < 36; ++round) {
    ASSERT_LT(round, 30);
    ASSERT_TRUE(
        ProcessEventsUntil([&] { return window->GameRecord.Position >= target || !window->GameStatus.Thinking; }, 20000));
    if (window->GameStatus.Thinking) {
      // Things that work while the computer plays.
      frame->ExecuteCommand(CmOptionsSound);
      frame->ExecuteCommand(CmAbout);
      // Force Move: Auto Play ends after the move under way.
      frame->ExecuteCommand(CmActionForceMove);
      ASSERT_TRUE(WaitUntilIdle());
      ASSERT_FALSE(window->GameStatus.Thinking);
      EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
      EXPECT_TRUE(RecordMatchesBoard());
      frame->EnableCommands();
      EXPECT_TRUE(frame->IsCommandChecked(CmMovesNormalPlay));
      if (!gameOver()) ++forced;
    }
    if (gameOver()) frame->ExecuteCommand(CmMovesUndoAll);  // a side cannot move: play again from the start
    target = window->GameRecord.Position + 8;
    frame->ExecuteCommand(CmMovesAutoPlay);
    EXPECT_TRUE(frame->IsCommandChecked(CmMovesAutoPlay));
  }
  EXPECT_GE(forced, 3);
  // Close the window while the computer is at it.
  ASSERT_TRUE(window->GameStatus.Thinking);
  EXPECT_TRUE(frame->CloseWindow());
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_FALSE(frame->IsVisible());
  EXPECT_TRUE(RecordMatchesBoard());
  EXPECT_GE(desktop.Dialogs.size(), 3u);
}

TEST_F(ComputerThread, ExitWhileSearchingStopsForGood) {
  frame->ExecuteCommand(CmOptionsLevel7);  // no time limit: only the stop ends the search
  frame->ExecuteCommand(CmActionComputerGo);
  frame->ExecuteCommand(CmFileExit);  // at once, perhaps before the search has begun
  EXPECT_TRUE(app->QuitPosted());
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_FALSE(window->ComputerThread().Control.LastingStop);  // cleared once the thread is gone
  EXPECT_EQ(window->GameRecord.MoveCount, 1);   // the computer finished its move
  EXPECT_TRUE(RecordMatchesBoard());
}

TEST_F(ComputerThread, CloseDuringADeepSearch) {
  frame->ExecuteCommand(CmOptionsLevel7);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(ProcessEventsUntil([this] { return ProgressText().rfind("Best ", 0) == 0; }, 15000));
  EXPECT_TRUE(frame->CloseWindow());
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
}

TEST_F(ComputerThread, DestroyingTheApplicationWhileThinkingWaitsForTheThread) {
  std::atomic<int> searches{0}, ended{0};
  auto& computer = window->ComputerThread();
  computer.MakeThread = [&, make = computer.MakeThread](std::function<void()> body) {
    ++searches;
    return make([&ended, body = std::move(body)] {
      body();
      ++ended;
    });
  };
  frame->ExecuteCommand(CmOptionsLevel7);  // no time limit: only the stop ends the search
  frame->ExecuteCommand(CmMovesAutoPlay);
  ASSERT_TRUE(ProcessEventsUntil([this] { return ProgressText().rfind("Best ", 0) == 0; }, 15000));
  app.reset();
  window = nullptr;
  frame = nullptr;
  EXPECT_EQ(searches, 1);
  EXPECT_EQ(ended, 1);  // stopped and joined with the window
  ProcessEvents(100);   // what it posted went with the window: nothing runs on freed memory
}

// When no thread can be made the user is told, nothing is searched, and the
// game is as it was: Computer Go can be tried again.
TEST_F(ComputerThread, WhenNoThreadCanBeMadeNothingStarts) {
  auto& computer = window->ComputerThread();
  const auto makeThread = computer.MakeThread;
  computer.MakeThread = [](std::function<void()>) -> std::thread {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  };
  frame->ExecuteCommand(CmActionComputerGo);
  EXPECT_FALSE(window->GameStatus.Thinking);
  EXPECT_FALSE(window->Busy());
  ASSERT_EQ(desktop.Messages.size(), 1u);
  EXPECT_EQ(desktop.Messages[0].Text, "Couldn't create thread");
  EXPECT_EQ(desktop.Messages[0].Type, static_cast<unsigned>(MB_OKCANCEL));
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
  EXPECT_TRUE(Enabled(CmActionComputerGo));
  computer.MakeThread = makeThread;
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, 1);
}

// A picture of the window while the computer thinks, next to the others.
TEST_F(ComputerThread, ScreenshotWhileThinking) {
  SetPosition({{11, BlackKing}, {14, WhiteMan}, {19, WhiteMan}, {22, WhiteKing}, {24, BlackMan}, {25, WhiteMan},
               {29, BlackMan}, {30, BlackMan}, {33, WhiteKing}, {35, BlackMan}, {38, BlackMan}, {41, BlackMan},
               {43, BlackKing}},
              White);
  Repaint();
  frame->ExecuteCommand(CmOptionsLevel7);
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(ProcessEventsUntil([this] { return ProgressText().rfind("Best ", 0) == 0; }, 15000));
  ProcessEvents(300);
  frame->EnableCommands();
  const TBitmap shot = GrabFrame(*frame);
  const std::string path = std::string(VAREK_BINARY_DIR) + "/screenshots/thinking.png";
  std::filesystem::create_directories(std::string(VAREK_BINARY_DIR) + "/screenshots");
  EXPECT_TRUE(shot.Save(path.c_str()));
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle(30000));
}

}  // namespace

// Two kings against one, the computer playing both sides: the database's
// moves end it in a win, as quickly as the defence allows, not in repetitions.
TEST_F(ComputerThread, AutoPlayOfAWonEndingEndsInAWin) {
  ASSERT_NE(window->EndgameDatabase().Loaded(), nullptr);
  SetPosition({{TMetrics::NotationToSquare(14), WhiteKing},
               {TMetrics::NotationToSquare(19), BlackKing},
               {TMetrics::NotationToSquare(27), BlackKing}},
              White);
  frame->ExecuteCommand(114);
  ASSERT_TRUE(WaitUntilIdle(60000));
  EXPECT_EQ(StatusText(), "Black wins");
  EXPECT_EQ(window->GameRecord.MoveCount, 26);
}
