#include <gtest/gtest.h>

#include "SearchTestSupport.h"
#include "search/Bench.h"

// The suite's node count is fixed by the search's behaviour alone: any change
// to ordering, pruning, extensions or evaluation shows up here first.
TEST_F(SearchTest, BenchNodeCountIsPinned) {
  int count = 0;
  const TBenchPosition* suite = BenchPositions(&count);
  EXPECT_GE(count, 8);
  int seen = 0;
  const long long total = RunBench(engine, [&](const TBenchResult& result) {
    TPosition p;
    SetupBenchPosition(*result.Position, p.Board);
    p.Side = result.Position->Side;
    TMoveList list;
    TMoveGenerator.MakeMoveList(p.Board, p.Side, &list);
    EXPECT_GT(list.NumMoves, 1) << result.Position->Name;
    bool legal = false;
    for (int i = 0; i < list.NumMoves; ++i) legal |= TKillers::IsEquivalentMove(list.Moves[i], result.Move);
    EXPECT_TRUE(legal) << result.Position->Name;
    EXPECT_GT(result.Nodes, 10000) << result.Position->Name;
    EXPECT_EQ(result.Position, &suite[seen]);
    ++seen;
  });
  EXPECT_EQ(seen, count);
  EXPECT_EQ(total, 3095505);
}

TEST_F(SearchTest, BenchWithoutATableMeasuresNothing) {
  TEngine tableless(0);
  ASSERT_EQ(tableless.HashTable(), nullptr);
  int reported = 0;
  const long long total = RunBench(tableless, [&reported](const TBenchResult&) { ++reported; });
  EXPECT_EQ(total, -1);
  EXPECT_EQ(reported, 0);
}

// The classic evaluation behind the same search hook has its own count, so
// that a change to the fitted weights alone shows as a change of the first.
TEST_F(SearchTest, BenchNodeCountOfTheClassicEvaluationIsUnchanged) {
  const TEvaluationKind kind = EvaluationKind;
  EvaluationKind = TEvaluationKind::Classic;
  const long long total = RunBench(engine, nullptr);
  EvaluationKind = kind;
  EXPECT_EQ(total, 4419678);
}
