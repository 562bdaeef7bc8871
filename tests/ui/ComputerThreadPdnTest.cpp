// The computer's thread and the game's end: a draw stops Auto Play; a hint
// runs the computer player without touching the record, and Force Move ends a
// long one. (Label `threaded`: these run under ThreadSanitizer too.)
#include <filesystem>
#include <random>

#include "UiFixture.h"
#include "engine/PositionString.h"
#include "framework/MoveListPanel.h"
#include "game/DrawRules.h"
#include "resources/CommandIds.h"
#include "ui/Thinking.h"

namespace {

using namespace CommandId;

class ComputerThreadPdn : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    SetAnimationScale(0.05);
    frame->ExecuteCommand(CmOptionsLevel0);  // Easy: quick moves
  }
  static std::string Shot(const char* name) {
    const std::filesystem::path dir = std::filesystem::path(VAREK_BINARY_DIR) / "screenshots";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
  }
};

// Kings only, moved at random for `plies` moves without a capture and without
// any position coming a third time; false when the walk got stuck.
bool KingWalk(Game& record, std::mt19937& random, int plies) {
  class TMoveGenerator generator;
  TMoveList legal;
  TPlayer side = static_cast<TPlayer>(record.StartSide);
  int board[BoardSize];
  record.GoTo(0, board, &side);
  for (int ply = 0; ply < plies; ++ply) {
    generator.MakeMoveList(board, side, &legal);
    if (legal.CaptureMoves || legal.NumMoves == 0) return false;
    std::vector<const int*> fresh;
    const auto keys = PositionsSinceIrreversible(record, record.MoveCount);
    for (int m = 0; m < legal.NumMoves; ++m) {
      int after[BoardSize];
      std::copy(board, board + BoardSize, after);
      TMoveGenerator::MakeMove(legal.Moves[m], after);
      if (CountOccurrences(keys, MakePositionKey(after, static_cast<TPlayer>(1 - side))) < 2)
        fresh.push_back(legal.Moves[m]);
    }
    if (fresh.empty()) return false;
    const int* move = fresh[random() % fresh.size()];
    record.AddMove(move);
    TMoveGenerator::MakeMove(move, board);
    side = static_cast<TPlayer>(1 - side);
  }
  return generator.TestPos(board, side) == 2;  // the next move is a king's step too
}

TEST_F(ComputerThreadPdn, DrawStopsAutoPlay) {
  std::mt19937 random(99);
  int board[BoardSize];
  TPlayer side;
  ASSERT_TRUE(ParsePosition("B:WK29,K22:BK3,K11", board, &side, nullptr));
  do window->GameRecord.InitGame(board, side);
  while (!KingWalk(window->GameRecord, random, FortyMoveRulePlies - 1));
  TPlayer now;
  window->GameRecord.GoTo(window->GameRecord.MoveCount, window->GameStatus.Board, &now);
  window->GameStatus.SideToMove = now;
  window->GameStatus.SetPossibleStart();

  frame->ExecuteCommand(CmMovesAutoPlay);
  ASSERT_TRUE(WaitUntilIdle());
  // One move, the 80th without a capture or a man moved: Auto Play ends there.
  EXPECT_EQ(window->GameRecord.MoveCount, FortyMoveRulePlies);
  EXPECT_TRUE(StatusText() == "draw by the 40-move rule" || StatusText() == "draw by repetition") << StatusText();
  EXPECT_EQ(window->GameStatus.PlayMode, TPlayMode::NormalPlay);
  frame->EnableCommands();
  EXPECT_NE(window->GetMoveListPanel()->Note().find("draw by"), std::string::npos);

  // The user may play on: Computer Go moves once more and says nothing new.
  frame->ExecuteCommand(CmActionComputerGo);
  ASSERT_TRUE(WaitUntilIdle());
  EXPECT_EQ(window->GameRecord.MoveCount, FortyMoveRulePlies + 1);
}

TEST_F(ComputerThreadPdn, HintMarksAMoveAndLeavesTheRecord) {
  window->GameStatus.PlayMode = TPlayMode::TwoPlayer;
  const std::vector<int> before(window->GameStatus.Board, window->GameStatus.Board + BoardSize);
  frame->ExecuteCommand(CmActionHint);
  ASSERT_TRUE(WaitUntilIdle());
  ASSERT_TRUE(window->HintShown());
  EXPECT_EQ(StatusText().rfind("hint: ", 0), 0u) << StatusText();
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
  EXPECT_EQ(std::vector<int>(window->GameStatus.Board, window->GameStatus.Board + BoardSize), before);
  // The hint is one of Black's opening moves, and its squares are marked.
  const int from = window->Hint()[0];
  EXPECT_TRUE(window->GameStatus.Board[from] == BlackMan);
  const int inset = std::max(2, window->Graphics.SquareSize / 14) / 2 + 1;
  const int x = window->Graphics.SquareX[from] + inset, y = window->Graphics.SquareY[from] + window->Graphics.SquareSize / 2;
  const std::uint32_t marked = window->Snapshot().Pixel(x, y);
  ProcessEvents(20);
  EXPECT_TRUE(GrabFrame(*frame).Save(Shot("hint.png").c_str()));

  // The next command takes the marks away.
  frame->ExecuteCommand(CmBoardInvertBoard);
  EXPECT_FALSE(window->HintShown());
  frame->ExecuteCommand(CmBoardInvertBoard);
  EXPECT_NE(window->Snapshot().Pixel(x, y), marked);
}

// A hint's figures count from its own search, however long ago the search
// before it began, and stand in their own field: the whole line shows.
TEST_F(ComputerThreadPdn, AHintCountsItsOwnTime) {
  frame->ExecuteCommand(CmOptionsLevel7);  // Infinite
  frame->ExecuteCommand(CmActionHint);
  ASSERT_TRUE(ProcessEventsUntil([this] { return window->ComputerThread().Control.MoveAvailable.load(); }, 10000));
  ProcessEvents(300);
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle(10000));
  ProcessEvents(500);
  frame->ExecuteCommand(CmOptionsLevel0);  // Easy: the two-ply move at once
  frame->ExecuteCommand(CmActionHint);
  ASSERT_TRUE(WaitUntilIdle());
  ProcessEvents(20);
  const std::string figures = frame->GetStatusBar()->GetFieldText(1);
  const size_t unit = figures.find(" sec");
  ASSERT_NE(unit, std::string::npos) << figures;
  EXPECT_LT(std::stod(figures.substr(figures.rfind("  ", unit) + 2)), 0.3) << figures;
  EXPECT_EQ(StatusText().rfind("hint: ", 0), 0u) << StatusText();
  EXPECT_EQ(StatusText().find("Depth"), std::string::npos) << StatusText();
  EXPECT_TRUE(frame->GetStatusBar()->TextsFit());
}

TEST_F(ComputerThreadPdn, ForceMoveEndsALongHint) {
  frame->ExecuteCommand(CmOptionsLevel7);  // Infinite
  frame->ExecuteCommand(CmActionHint);
  ASSERT_TRUE(window->GameStatus.Thinking);
  frame->EnableCommands();
  EXPECT_FALSE(frame->IsCommandEnabled(CmActionHint));
  ASSERT_TRUE(ProcessEventsUntil([this] { return window->ComputerThread().Control.MoveAvailable.load(); }, 10000));
  frame->ExecuteCommand(CmActionForceMove);
  ASSERT_TRUE(WaitUntilIdle(10000));
  EXPECT_TRUE(window->HintShown());
  EXPECT_EQ(window->GameRecord.MoveCount, 0);
}

}  // namespace
