// The engine object: a request in, a result out, progress through the
// reporter, and nothing shared between two engines.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "SearchTestSupport.h"
#include "engine/Metrics.h"

namespace {

TSearchRequest Request(const TPosition& p, int depth) {
  TSearchRequest request;
  std::copy(p.Board, p.Board + BoardSize, request.Board.begin());
  request.Side = p.Side;
  request.Limits.Infinite = true;
  request.Limits.Depth = depth;
  return request;
}

std::string Text(const int* move) {
  char text[8];
  return TMetrics::MoveToStr(move, text);
}

// Plays `line` from `p`, each move checked against the generator's list.
bool PlaysLegally(TPosition p, const std::vector<TMoveBuffer>& line) {
  class TMoveGenerator generator;
  TMoveList list;
  for (const TMoveBuffer& move : line) {
    generator.MakeMoveList(p.Board, p.Side, &list);
    bool listed = false;
    for (int i = 0; i < list.NumMoves; ++i) listed |= TKillers::IsEquivalentMove(list.Moves[i], move.data());
    if (!listed) return false;
    TMoveGenerator::MakeMove(move.data(), p.Board);
    p.Side = static_cast<TPlayer>(1 - p.Side);
  }
  return true;
}

struct TSeenLine {
  int Depth, Score;
  long long Nodes;
  std::vector<TMoveBuffer> Pv;
};

}  // namespace

TEST_F(SearchTest, EngineReportsEveryIterationAndAnswersWithTheLast) {
  const TPosition p = Position("B:W18,19,21,23,24,26,27,28,30,31:B1,2,3,5,6,7,9,10,11,14");
  std::vector<TSeenLine> seen;
  int progress = 0;
  TSearchCallbacks callbacks;
  callbacks.OnProgress = [&progress](const char* line) { progress += std::string(line).rfind("Best ", 0) == 0; };
  callbacks.OnIteration = [&seen](const TSearchLine& line) {
    EXPECT_EQ(line.Line, 1);
    EXPECT_GE(line.SelectiveDepth, line.Depth);
    seen.push_back({line.Depth, line.Score, line.Nodes, {line.Pv.begin(), line.Pv.end()}});
  };
  const TSearchResult result = engine.Search(Request(p, 15), control, &callbacks);
  ASSERT_EQ(seen.size(), 7u);  // 9 to 15 plies, a ply at a time
  for (size_t k = 0; k < seen.size(); ++k) {
    EXPECT_EQ(seen[k].Depth, 9 + static_cast<int>(k));
    EXPECT_TRUE(PlaysLegally(p, seen[k].Pv)) << seen[k].Depth;
    if (k > 0) {
      EXPECT_GT(seen[k].Nodes, seen[k - 1].Nodes);
    }
  }
  // The table holds the line well beyond its first move.
  EXPECT_GE(seen.back().Pv.size(), 5u);
  EXPECT_GT(progress, 10);
  EXPECT_EQ(Text(seen.back().Pv[0].data()), Text(result.Move.data()));
  EXPECT_EQ(result.Score, seen.back().Score);
  EXPECT_EQ(result.Depth, 15);
  EXPECT_EQ(result.Source, TMoveSource::Search);
  EXPECT_FALSE(result.Aborted);
  char score[32];
  ScoreText(result.Score, score, sizeof score);
  EXPECT_EQ(std::string(result.Report).rfind(Text(result.Move.data()) + "  Score=" + score + "  Depth:15/", 0), 0u)
      << result.Report;
}

TEST_F(SearchTest, EngineSaysWhereItsMoveCameFrom) {
  const TSearchResult only = engine.Search(Request(Position("B:WK18,30:B14"), 13), control);
  EXPECT_EQ(only.Source, TMoveSource::OnlyMove);
  EXPECT_STREQ(only.Report, "14x23 only move");

  const TSearchResult none = engine.Search(Request(Position("B:W5,6,9,10:B1"), 13), control);
  EXPECT_EQ(none.Source, TMoveSource::None);
  EXPECT_EQ(none.Move[0], 0);

  TSearchRequest easy = Request(StartPosition(), 0);
  easy.Limits.Infinite = false;
  easy.Limits.Seconds = 0;
  const TSearchResult fallback = engine.Search(std::move(easy), control);
  EXPECT_EQ(fallback.Source, TMoveSource::Fallback);
  EXPECT_EQ(fallback.Depth, 0);
  EXPECT_TRUE(PlaysLegally(StartPosition(), {fallback.Move}));

  // A stop already asked for plays the fallback move and says it was stopped.
  control.StopRequest = true;
  const TSearchResult stopped = engine.Search(Request(StartPosition(), 47), control);
  EXPECT_TRUE(stopped.Aborted);
  EXPECT_EQ(Text(stopped.Move.data()), Text(fallback.Move.data()));
}

// An answer at once reports its own time and nodes, however long ago the
// search before it began.
TEST_F(SearchTest, AMoveAtOnceReportsItsOwnTimeAndNodes) {
  const TSearchResult earlier = engine.Search(Request(StartPosition(), 13), control);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  TSearchRequest easy = Request(StartPosition(), 0);
  easy.Limits.Infinite = false;
  easy.Limits.Seconds = 0;
  const TSearchResult fallback = engine.Search(std::move(easy), control);
  ASSERT_EQ(fallback.Source, TMoveSource::Fallback);
  const std::string report = fallback.Report, before = earlier.Report;
  const size_t unit = report.find(" sec"), nodes = report.find("Nodes:");
  ASSERT_NE(unit, std::string::npos) << report;
  ASSERT_NE(nodes, std::string::npos) << report;
  EXPECT_LT(std::stod(report.substr(report.rfind("  ", unit) + 2)), 0.2) << report;
  EXPECT_LT(std::stoll(report.substr(nodes + 6)), std::stoll(before.substr(before.find("Nodes:") + 6))) << report;
}

// A time per move with a fraction is kept to: iterations stop starting at
// half of it and the one running at its end is cut off.
TEST_F(SearchTest, AMoveTimeIsKeptToFromAPositionWithLongIterations) {
  TPosition p = StartPosition();
  const int move[] = {TMetrics::NotationToSquare(11), TMetrics::NotationToSquare(15), 0};
  TMoveGenerator::MakeMove(move, p.Board);
  p.Side = White;
  for (double seconds : {0.1, 0.35}) {
    engine.ClearTable();
    TSearchRequest request = Request(p, 0);
    request.Limits = TSearchLimits::MoveTime(seconds);
    const auto began = std::chrono::steady_clock::now();
    const TSearchResult result = engine.Search(std::move(request), control);
    const double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    EXPECT_LT(spent, seconds + 0.2) << seconds;
    EXPECT_EQ(result.Source, TMoveSource::Search) << seconds;
    EXPECT_TRUE(PlaysLegally(p, {result.Move}));
  }
}

// Two engines searching at once on two threads find what each finds alone:
// nothing of a search is shared between engines (label `threaded`).
TEST(ThreadedEngines, TwoEnginesSearchAtOnceAsEachDoesAlone) {
  const char* const positions[] = {"B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12",
                                   "W:W22,26,30,K14,K23:B3,8,K10,K19"};
  std::string alone[2], together[2];
  long long aloneNodes[2] = {}, togetherNodes[2] = {};
  auto run = [&positions](int k, std::string* report, long long* nodes) {
    TEngine engine;
    TSearchControl control;
    const TSearchResult result = engine.Search(Request(Position(positions[k]), 13), control);
    *report = Text(result.Move.data()) + " " + std::to_string(result.Score);
    *nodes = engine.Searcher().Nodes;
  };
  for (int k = 0; k < 2; ++k) run(k, &alone[k], &aloneNodes[k]);
  std::thread first(run, 0, &together[0], &togetherNodes[0]);
  std::thread second(run, 1, &together[1], &togetherNodes[1]);
  first.join();
  second.join();
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(together[k], alone[k]);
    EXPECT_EQ(togetherNodes[k], aloneNodes[k]);
  }
}

// Several lines: each iteration reports the best root moves, each once, best
// first, and no more lines than there are moves.
TEST_F(SearchTest, SeveralLinesAreTheBestRootMovesBestFirst) {
  for (const auto& [text, moves] : {std::pair<const char*, int>{"B:W18,19,21,23,24,26,27,28,30,31:B1,2,3,5,6,7,9,10,11,14", 7},
                                    std::pair<const char*, int>{"W:WK1,K32:B5,28", 2}}) {
    SCOPED_TRACE(text);
    const TPosition p = Position(text);
    TSearchRequest request = Request(p, 13);
    request.Limits.MultiPv = 4;
    std::vector<std::vector<TSeenLine>> iterations;
    TSearchCallbacks callbacks;
    callbacks.OnIteration = [&iterations](const TSearchLine& line) {
      if (line.Line == 1) iterations.emplace_back();
      ASSERT_FALSE(iterations.empty());
      EXPECT_EQ(line.Line, static_cast<int>(iterations.back().size()) + 1);
      iterations.back().push_back({line.Depth, line.Score, line.Nodes, {line.Pv.begin(), line.Pv.end()}});
    };
    const TSearchResult result = engine.Search(std::move(request), control, &callbacks);
    ASSERT_EQ(iterations.size(), 5u);  // 9 to 13 plies
    for (const std::vector<TSeenLine>& lines : iterations) {
      ASSERT_EQ(lines.size(), static_cast<size_t>(std::min(moves, 4)));
      for (size_t k = 0; k < lines.size(); ++k) {
        EXPECT_TRUE(PlaysLegally(p, lines[k].Pv));
        if (k == 0) continue;
        EXPECT_LE(lines[k].Score, lines[k - 1].Score);
        for (size_t j = 0; j < k; ++j) EXPECT_NE(Text(lines[k].Pv[0].data()), Text(lines[j].Pv[0].data()));
      }
    }
    EXPECT_EQ(Text(result.Move.data()), Text(iterations.back()[0].Pv[0].data()));
    EXPECT_EQ(result.Score, iterations.back()[0].Score);
  }
}
