#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "SearchTestSupport.h"
#include "engine/Metrics.h"

namespace {

TMaterial Summary(const int* board) {
  TMaterial m;
  m.SetBoard(board);
  return m;
}

int StaticEval(const TPosition& p) {
  const TMaterial m = Summary(p.Board);
  return m.Evaluate(p.Side, p.Board);
}

std::string Text(const int* move) {
  char text[8];
  return TMetrics::MoveToStr(move, text);
}

bool IsLegal(const TPosition& p, const int* move) {
  TMoveList list;
  TMoveGenerator.MakeMoveList(const_cast<int*>(p.Board), p.Side, &list);
  for (int i = 0; i < list.NumMoves; ++i)
    if (TKillers::IsEquivalentMove(list.Moves[i], move)) return true;
  return false;
}

THashEntry Lookup(THashTable* table, const TPosition& p) {
  int key1, key2;
  table->GenerateKey(p.Board, p.Side, key1, key2);
  THashEntry e{};
  e.Lock = key2;
  EXPECT_TRUE(table->Seek(e, key1));
  return e;
}

// Black man on 20 to 24 leaves White's man on 28 without a move; Black's king
// on 30 lists its two moves first.
const char* const Stalemating = "B:W28:BK30,20,K19";

}  // namespace

// ---- plain search ----

TEST_F(SearchTest, HorizonWithoutMovesIsLostWithoutListingMoves) {
  TPosition blocked = Position("B:W5,6,9,10:B1");
  TSearcher.MaskLists[3].NumMoves = 77;
  EXPECT_EQ(TSearcher.AlphaBeta(blocked.Board, 0, Black, -10000, 10000, 3, Summary(blocked.Board)), 3 - 10001);
  EXPECT_EQ(TSearcher.MaskLists[3].NumMoves, 77);
  EXPECT_EQ(TSearcher.AlphaBeta(blocked.Board, 20, Black, -10000, 10000, 5, Summary(blocked.Board)), 5 - 10001);
  EXPECT_EQ(TSearcher.Evals, 0);
}

TEST_F(SearchTest, QuietHorizonIsEvaluatedAndCapturesAreFollowed) {
  TPosition start = StartPosition();
  EXPECT_EQ(TSearcher.AlphaBeta(start.Board, 9, Black, -10000, 10000, 2, Summary(start.Board)), StaticEval(start));
  EXPECT_EQ(TSearcher.Nodes, 1);
  EXPECT_EQ(TSearcher.Evals, 1);
  // Black's man on 10 must take White's last man: White then cannot move at ply 3.
  TPosition take = Position("B:W14:B10");
  EXPECT_EQ(TSearcher.AlphaBeta(take.Board, 0, Black, -10000, 10000, 2, Summary(take.Board)), 10001 - 3);
  EXPECT_EQ(TSearcher.MaxPly, 3);
}

TEST_F(SearchTest, PlyFortyNineIsEvaluatedWhateverTheDepth) {
  TPosition start = StartPosition();
  EXPECT_EQ(TSearcher.AlphaBeta(start.Board, 100, Black, -10000, 10000, 49, Summary(start.Board)), StaticEval(start));
  EXPECT_EQ(TSearcher.Evals, 1);
  // A table line reaching ply 49 is finished the same way, without the table.
  TSearcher.Nodes = 0;
  HashTable->Probes = 0;
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  EXPECT_EQ(TSearcher.AlphaBetaHash(start.Board, 100, Black, -10000, 10000, 49, key1, key2, Summary(start.Board)),
            StaticEval(start));
  EXPECT_EQ(HashTable->Probes, 0);
  TSearcher.AlphaBetaHash(start.Board, 100, Black, -10000, 10000, 48, key1, key2, Summary(start.Board));
  EXPECT_EQ(TSearcher.MaxPly, 49);
  EXPECT_TRUE(SameBoard(start.Board, StartPosition().Board));
}

TEST_F(SearchTest, FallbackStopsAtTheFirstWin) {
  TPosition p = Position(Stalemating);
  const TMoveInfo info = TSearcher.AlphaBeta0(p.Board, 20, Black);
  EXPECT_EQ(info.Score, 10000);
  EXPECT_EQ(Text(info.Move), "20-24");
  EXPECT_FALSE(info.Aborted);
  EXPECT_EQ(TSearcher.MaskLists[1].NumMoves, 0);  // nothing was searched after the win
  EXPECT_TRUE(SameBoard(p.Board, Position(Stalemating).Board));
}

// ---- table search ----

TEST_F(SearchTest, RootMoveThatLeavesNoReplyFailsHigh) {
  TPosition p = Position(Stalemating);
  const TMoveInfo info = TSearcher.AlphaBetaHash0(p.Board, 90, Black, 10000, -10000);
  EXPECT_EQ(info.Score, 10000);
  EXPECT_EQ(Text(info.Move), "20-24");
  const THashEntry e = Lookup(HashTable, p);
  EXPECT_EQ(e.Bound, THashTable::LowerBound);
  EXPECT_EQ(e.Score, 10000);
  EXPECT_EQ(e.Depth, 90);
  EXPECT_EQ(e.Move, 2);  // generation index of 20-24
  EXPECT_EQ(TKillers.KillerIncrement(info.Move, 0), 2000);
}

TEST_F(SearchTest, WinsAreStoredRelativeToTheirNode) {
  TPosition start = StartPosition();
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 9990, 300, 1, 7);
  EXPECT_EQ(Lookup(HashTable, start).Score, 9997);
  TSearcher.Nodes = 0;
  EXPECT_EQ(TSearcher.AlphaBetaHash(start.Board, 40, Black, -10000, 10000, 9, key1, key2, Summary(start.Board)), 9988);
  EXPECT_EQ(TSearcher.Nodes, 1);
  TSearcher.Store(key1, key2, THashTable::ExactBound, -9990, 300, 1, 7);
  EXPECT_EQ(Lookup(HashTable, start).Score, -9997);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 9500, 300, 1, 7);
  EXPECT_EQ(Lookup(HashTable, start).Score, 9500);
}

TEST_F(SearchTest, NoTableCutOffBeforePlySix) {
  TPosition start = StartPosition();
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 77, 400, 3, 0);
  const int v = TSearcher.AlphaBetaHash(start.Board, 40, Black, -10000, 10000, 3, key1, key2, Summary(start.Board));
  EXPECT_NE(v, 77);
  EXPECT_GT(TSearcher.Nodes, 100);
  EXPECT_EQ(TSearcher.OrderIndex[3][0], 3);  // the table's move went first
  // From ply 6 on the same entry answers at once.
  TSearcher.Nodes = 0;
  EXPECT_EQ(TSearcher.AlphaBetaHash(start.Board, 40, Black, -10000, 10000, 6, key1, key2, Summary(start.Board)), 77);
  EXPECT_EQ(TSearcher.Nodes, 1);
}

TEST_F(SearchTest, TableCutOffsRespectBoundsAndDepth) {
  TPosition start = StartPosition();
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  auto search = [&](int depth, int alpha, int beta) {
    TSearcher.Nodes = 0;
    const int v = TSearcher.AlphaBetaHash(start.Board, depth, Black, alpha, beta, 6, key1, key2, Summary(start.Board));
    return std::pair{v, TSearcher.Nodes};
  };
  HashTable->Clear();
  TSearcher.Store(key1, key2, THashTable::LowerBound, 50, 40, 0, 6);
  EXPECT_EQ(search(49, -100, 40), std::pair(50, 1LL));  // whole plies of 49 are 40: deep enough
  EXPECT_GT(search(50, -100, 40).second, 1);           // 50 asks for more
  HashTable->Clear();
  TSearcher.Store(key1, key2, THashTable::LowerBound, 50, 40, 0, 6);
  EXPECT_GT(search(40, -100, 60).second, 1);  // a lower bound below beta proves nothing
  HashTable->Clear();
  TSearcher.Store(key1, key2, THashTable::UpperBound, -50, 40, 0, 6);
  EXPECT_EQ(search(40, -40, 100), std::pair(-50, 1LL));
  HashTable->Clear();
  TSearcher.Store(key1, key2, THashTable::UpperBound, -50, 40, 0, 6);
  EXPECT_GT(search(40, -60, 100).second, 1);
}

TEST_F(SearchTest, MoveIndicesTheEntryCannotHoldAreStoredAsNoMove) {
  TPosition start = StartPosition();
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 5, 400, 127, 0);
  EXPECT_EQ(Lookup(HashTable, start).Move, 127);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 5, 400, 128, 0);
  EXPECT_EQ(Lookup(HashTable, start).Move, -1);
  // Exact and deep, but with no move to offer the root is searched, not answered.
  TSearcher.Nodes = 0;
  const TMoveInfo info = TSearcher.AlphaBetaHash0(start.Board, 90, Black, 10000, -10000);
  EXPECT_GT(TSearcher.Nodes, 1);
  EXPECT_TRUE(IsLegal(StartPosition(), info.Move));
  // A stored index beyond a shorter list (a lock shared by another position) selects nothing either.
  TSearcher.Store(key1, key2, THashTable::ExactBound, 5, 400, 9, 0);
  TSearcher.Nodes = 0;
  TSearcher.AlphaBetaHash0(start.Board, 90, Black, 10000, -10000);
  EXPECT_GT(TSearcher.Nodes, 1);
}

TEST_F(SearchTest, SingleMoveNodesGoATenthDeeper) {
  TPosition forced = Position("B:WK18,30:B14");
  int key1, key2;
  HashTable->GenerateKey(forced.Board, Black, key1, key2);
  TSearcher.AlphaBetaHash(forced.Board, 40, Black, -10000, 10000, 6, key1, key2, Summary(forced.Board));
  EXPECT_EQ(Lookup(HashTable, forced).Depth, 41);
}

TEST_F(SearchTest, HopelessNodesAreSearchedAPlyShallower) {
  // Two men against three: far below alpha 0, and every move fails low.
  TPosition behind = Position("B:W21,22,23:B5,9");
  int key1, key2;
  HashTable->GenerateKey(behind.Board, Black, key1, key2);
  const int v = TSearcher.AlphaBetaHash(behind.Board, 40, Black, 0, 1, 6, key1, key2, Summary(behind.Board));
  EXPECT_EQ(v, 0);  // failed low: the node returns alpha
  const THashEntry e = Lookup(HashTable, behind);
  EXPECT_EQ(e.Bound, THashTable::UpperBound);
  EXPECT_EQ(e.Depth, 20);
}

TEST_F(SearchTest, TableIsUsedOnlyAboveDepthThirty) {
  TPosition start = StartPosition();
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  HashTable->Probes = 0;
  TSearcher.AlphaBetaHash(start.Board, 30, Black, -10000, 10000, 6, key1, key2, Summary(start.Board));
  EXPECT_EQ(HashTable->Probes, 1);
  HashTable->Clear();
  TSearcher.AlphaBetaHash(start.Board, 31, Black, -10000, 10000, 6, key1, key2, Summary(start.Board));
  EXPECT_GE(HashTable->Probes, 1 + 7);  // one per child, more if one is searched again
}

TEST_F(SearchTest, StopDuringAnIterationDropsItAndRestoresTheBoard) {
  TPosition start = StartPosition();
  SetProgressSink([](const char*) { control.StopRequest = true; });
  const TMoveInfo info = TSearcher.AlphaBetaHash0(start.Board, 110, Black, 10000, -10000);
  EXPECT_TRUE(info.Aborted);
  EXPECT_TRUE(SameBoard(start.Board, StartPosition().Board));
}

TEST_F(SearchTest, RootKnownExactlyAndDeeperAnswersAtOnce) {
  TPosition start = StartPosition();
  int move[MoveBufferSize];
  TSearcher.MaxIterationDepth = 11;
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  const THashEntry root = Lookup(HashTable, start);
  ASSERT_EQ(root.Bound, THashTable::ExactBound);
  ASSERT_EQ(root.Depth, 110);
  TSearcher.Nodes = 0;
  const TMoveInfo info = TSearcher.AlphaBetaHash0(start.Board, 90, Black, 10000, -10000);
  EXPECT_EQ(TSearcher.Nodes, 1);
  EXPECT_EQ(info.Score, root.Score);
  EXPECT_TRUE(TKillers::IsEquivalentMove(info.Move, move));
  // Asked for 100 it is no longer two plies deeper: searched again.
  TSearcher.AlphaBetaHash0(start.Board, 100, Black, 10000, -10000);
  EXPECT_GT(TSearcher.Nodes, 1);
}

// ---- the driver ----

TEST_F(SearchTest, SingleMoveIsPlayedAtOnce) {
  TPosition forced = Position("B:WK18,30:B14");
  TPosition start = StartPosition();
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 5, 50, 0, 0);
  const int killer[] = {32, 28, 0};
  TKillers.UpdateKiller(killer, 7, 0);
  TSearcher.Nodes = 12345;
  control.StopRequest = true;  // a force-move press left over from the last search stays
  int move[MoveBufferSize];
  TSearcher.GetComputerMoveHash(forced.Board, Black, move);
  EXPECT_EQ(Text(move), "14x23");
  EXPECT_STREQ(TSearcher.InfoText, "14x23 only move");
  EXPECT_EQ(TSearcher.Nodes, 12345);
  EXPECT_TRUE(control.StopRequest);
  EXPECT_EQ(Lookup(HashTable, start).Depth, 50);
  EXPECT_EQ(TKillers.KillerIncrement(killer, 7), 2000);
}

TEST_F(SearchTest, EasyLevelPlaysTheFallbackMove) {
  TPosition start = StartPosition();
  TPosition copy = start;
  const TMoveInfo fallback = TSearcher.AlphaBeta0(copy.Board, 20, Black);
  const std::string expected = Text(fallback.Move);
  int key1, key2;
  HashTable->GenerateKey(start.Board, Black, key1, key2);
  TSearcher.Store(key1, key2, THashTable::ExactBound, 5, 50, 0, 0);
  const int killer[] = {32, 28, 0};
  TKillers.UpdateKiller(killer, 7, 0);

  TSearcher.TimeLimit = 0;
  int move[MoveBufferSize];
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_EQ(Text(move), expected);
  EXPECT_EQ(std::string(TSearcher.InfoText).rfind(expected + "  Score=", 0), 0u);
  EXPECT_TRUE(control.MoveAvailable);
  EXPECT_EQ(TSearcher.Nodes, 0);  // no iteration ran...
  EXPECT_EQ(TSearcher.IterationDepth, 9);
  EXPECT_EQ(Lookup(HashTable, start).Depth, 46);  // ...but the table was aged
  EXPECT_FALSE(TKillers.HasKiller(7));  // and the killers cleared
  EXPECT_TRUE(SameBoard(start.Board, StartPosition().Board));
}

TEST_F(SearchTest, StopInTheFirstIterationReturnsTheFallbackMove) {
  TPosition start = StartPosition();
  TPosition copy = start;
  const std::string fallback = Text(TSearcher.AlphaBeta0(copy.Board, 20, Black).Move);
  int lines = 0;
  SetProgressSink([&lines](const char*) {
    ++lines;
    EXPECT_TRUE(control.MoveAvailable);  // Force Move may act now
    control.StopRequest = true;
  });
  int move[MoveBufferSize];
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(Text(move), fallback);
  EXPECT_EQ(std::string(TSearcher.InfoText).rfind(fallback + "  Score=", 0), 0u);
  EXPECT_TRUE(SameBoard(start.Board, StartPosition().Board));
}

// A press that arrives while the fallback move is still being found is not
// lost: the search stops as soon as it has a move, and only the caller clears
// the request.
TEST_F(SearchTest, StopRequestedBeforeTheSearchPlaysTheFallbackAndStaysSet) {
  TPosition start = StartPosition();
  TPosition copy = start;
  const std::string fallback = Text(TSearcher.AlphaBeta0(copy.Board, 20, Black).Move);
  control.StopRequest = true;
  int move[MoveBufferSize];
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_EQ(Text(move), fallback);
  EXPECT_EQ(TSearcher.Nodes, 0);
  EXPECT_TRUE(control.StopRequest);
  EXPECT_TRUE(control.MoveAvailable);

  // Without a control object nothing stops it: it searches to the depth asked for.
  TSearcher.Control = nullptr;
  TSearcher.MaxIterationDepth = 11;
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_EQ(TSearcher.IterationDepth, 12);
  EXPECT_GT(TSearcher.Nodes, 0);
}

TEST_F(SearchTest, LastingStopIsNeverCleared) {
  TPosition start = StartPosition();
  control.LastingStop = true;
  int move[MoveBufferSize];
  TSearcher.IterationDepth = 5;
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  EXPECT_TRUE(control.LastingStop);
  EXPECT_TRUE(control.MoveAvailable);
  EXPECT_TRUE(IsLegal(start, move));
  EXPECT_EQ(TSearcher.IterationDepth, 5);  // no iteration was prepared
}

TEST_F(SearchTest, StopsFromAnotherThreadEndAnInfiniteSearch) {
  for (std::atomic<bool>* flag : {&control.StopRequest, &control.LastingStop}) {
    control.StopRequest = false;
    control.LastingStop = false;
    TPosition start = StartPosition();
    int move[MoveBufferSize];
    control.MoveAvailable = false;
    std::thread window([flag] {
      while (!control.MoveAvailable) std::this_thread::yield();
      std::this_thread::sleep_for(std::chrono::milliseconds(30));
      *flag = true;
    });
    TSearcher.TimeLimit = 36000000;
    const auto began = std::chrono::steady_clock::now();
    TSearcher.GetComputerMoveHash(start.Board, Black, move);
    window.join();
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(20));
    EXPECT_TRUE(IsLegal(start, move));
    EXPECT_TRUE(SameBoard(start.Board, StartPosition().Board));
  }
  control.LastingStop = false;
}

TEST_F(SearchTest, ForcedWinIsFoundAndPlayed) {
  TPosition p = Position("B:W28:BK19,K23");
  int move[MoveBufferSize];
  TSearcher.MaxIterationDepth = 13;
  TSearcher.GetComputerMoveHash(p.Board, Black, move);
  EXPECT_NE(std::string(TSearcher.InfoText).find("Score=win in 2"), std::string::npos) << TSearcher.InfoText;
  // Every White reply must let Black leave White without a move.
  TMoveGenerator::MakeMove(move, p.Board);
  TMoveList replies, answers;
  TMoveGenerator.MakeMoveList(p.Board, White, &replies);
  ASSERT_GT(replies.NumMoves, 0);
  for (int i = 0; i < replies.NumMoves; ++i) {
    int after[BoardSize];
    std::copy(p.Board, p.Board + BoardSize, after);
    TMoveGenerator::MakeMove(replies.Moves[i], after);
    TMoveGenerator.MakeMoveList(after, Black, &answers);
    bool wins = false;
    for (int k = 0; k < answers.NumMoves && !wins; ++k) {
      int end[BoardSize];
      std::copy(after, after + BoardSize, end);
      TMoveGenerator::MakeMove(answers.Moves[k], end);
      wins = TMoveGenerator.NoMovesLeft(end, White) == 1;
    }
    EXPECT_TRUE(wins) << "no win after " << Text(move) << " " << Text(replies.Moves[i]);
  }
}

TEST_F(SearchTest, FixedDepthSearchesRepeatExactly) {
  long long nodes[2];
  std::string lines[2];
  for (int run = 0; run < 2; ++run) {
    HashTable->Clear();
    TPosition start = StartPosition();
    int move[MoveBufferSize];
    TSearcher.MaxIterationDepth = 12;
    TSearcher.GetComputerMoveHash(start.Board, Black, move);
    nodes[run] = TSearcher.Nodes;
    lines[run] = TSearcher.InfoText;
    lines[run].erase(lines[run].find("Depth:"));
    EXPECT_NE(std::string(TSearcher.InfoText).find("Depth:12/"), std::string::npos);
  }
  EXPECT_EQ(nodes[0], nodes[1]);
  EXPECT_EQ(lines[0], lines[1]);
}

TEST_F(SearchTest, TimeLimitEndsTheSearchBetweenIterations) {
  TPosition start = StartPosition();
  TSearcher.TimeLimit = 1;
  int move[MoveBufferSize];
  const int began = SearchClock();
  TSearcher.GetComputerMoveHash(start.Board, Black, move);
  const int spent = SearchClock() - began;
  EXPECT_GE(spent, 1000);
  EXPECT_GE(TSearcher.IterationDepth, 11);  // at least the first iteration finished
  EXPECT_TRUE(IsLegal(start, move));
}

// A level's hard stop: whatever the time limit, an iteration still running
// when the hard limit has passed is cut off, and the last finished
// iteration's move is played, or the cut one's if it had already found a
// better one. Measured by the search's own clock.
TEST_F(SearchTest, HardLimitCutsTheRunningIterationAndPlaysTheLastFinishedOne) {
  for (const char* text : {"", "W:WK1,K3,K10:BK20,K24,K31"}) {
    SCOPED_TRACE(text);
    HashTable->Clear();
    TPosition start = *text ? Position(text) : StartPosition();
    const TPosition before = start;
    TSearcher.TimeLimit = 36000000;  // iterations would go on starting
    TSearcher.HardLimitMs = 400;
    int move[MoveBufferSize];
    const int began = SearchClock();
    TSearcher.GetComputerMoveHash(start.Board, start.Side, move);
    ASSERT_NE(TSearcher.HardStopClock, 0);
    const int cutAfter = TSearcher.HardStopClock - began;
    EXPECT_GE(cutAfter, 400);
    EXPECT_LE(cutAfter, 400 + 250);
    EXPECT_LT(TSearcher.IterationDepth, 47);
    // The report names the move played, from the iteration cut or the one before.
    const std::string info = TSearcher.InfoText;
    const std::string cut = "Depth:" + std::to_string(TSearcher.IterationDepth) + "/";
    const std::string last = "Depth:" + std::to_string(TSearcher.IterationDepth - TSearcher.IterationStep) + "/";
    EXPECT_TRUE(info.find(cut) != std::string::npos || info.find(last) != std::string::npos) << info;
    EXPECT_EQ(info.rfind(Text(move) + "  Score=", 0), 0u) << info;
    EXPECT_TRUE(IsLegal(before, move));
    EXPECT_TRUE(SameBoard(start.Board, before.Board));
  }
}

// A stop in the middle of an iteration plays the move that has already beaten
// the one searched first (the last iteration's best), with its own report.
TEST_F(SearchTest, AStopPlaysTheMoveThatBeatTheLastIterationsBest) {
  TPosition start = Position("B:W17,19,21,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,9,10,11,12,15");
  const TPosition before = start;
  std::string finished, better;
  reporter.OnIteration = [&finished](const TSearchLine& line) {
    if (line.Line == 1) finished = Text(line.Pv[0].data());
  };
  // "Best 4-8(7/8) Score=..." names a move other than the first as best.
  SetProgressSink([&](const char* line) {
    const std::string text = line;
    const std::size_t open = text.find('(');
    if (!better.empty() || finished.empty() || open == std::string::npos || text.compare(open, 3, "(1/") == 0)
      return;
    if (text.substr(5, open - 5) == finished) return;
    better = text.substr(5, open - 5);
    control.StopRequest = true;
  });
  TSearcher.MaxIterationDepth = 20;
  int move[MoveBufferSize];
  TSearcher.GetComputerMoveHash(start.Board, start.Side, move);
  control.StopRequest = false;
  ASSERT_FALSE(better.empty()) << "no iteration up to 20 plies found a better move than the one before";
  EXPECT_EQ(Text(move), better);
  const std::string info = TSearcher.InfoText;
  EXPECT_EQ(info.rfind(better + "  Score=", 0), 0u) << info;
  EXPECT_NE(info.find("Depth:" + std::to_string(TSearcher.IterationDepth) + "/"), std::string::npos) << info;
  EXPECT_TRUE(IsLegal(before, move));
}

TEST_F(SearchTest, AHardLimitNotReachedChangesNothing) {
  long long nodes[2];
  std::string lines[2];
  for (int run = 0; run < 2; ++run) {
    HashTable->Clear();
    TKillers.ClearKillers();
    TPosition start = StartPosition();
    int move[MoveBufferSize];
    TSearcher.MaxIterationDepth = 11;
    TSearcher.HardLimitMs = run == 0 ? 0 : 600000;
    TSearcher.GetComputerMoveHash(start.Board, Black, move);
    EXPECT_EQ(TSearcher.HardStopClock, 0);
    nodes[run] = TSearcher.Nodes;
    lines[run] = TSearcher.InfoText;
    lines[run].erase(lines[run].find("  Depth:"));
  }
  EXPECT_EQ(nodes[0], nodes[1]);
  EXPECT_EQ(lines[0], lines[1]);
}
