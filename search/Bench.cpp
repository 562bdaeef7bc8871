#include "search/Bench.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "engine/Metrics.h"
#include "search/Engine.h"

namespace {

const TBenchPosition positions[] = {
    {"start", Black, "21 22 23 24 25 26 27 28 29 30 31 32", "", "1 2 3 4 5 6 7 8 9 10 11 12", "", 15},
    {"opening", White, "21 22 23 24 25 26 27 28 29 30 31 32", "", "1 2 3 4 5 6 7 8 9 10 12 15", "", 15},
    {"middle game", Black, "18 19 21 23 24 26 27 28 30 31", "", "1 2 3 5 6 7 9 10 11 14", "", 17},
    {"crowded centre", White, "15 17 19 20 22 25 27 28 29 30 32", "", "1 3 4 5 6 8 9 10 11 12 13", "", 17},
    {"race to crown", Black, "9 19 26 27 28 30", "", "4 6 11 15 20 22", "", 21},
    {"kings ending", White, "22 26 30", "14 23", "3 8", "10 19", 21},
    {"two kings hunt one", Black, "", "20", "", "1 6", 27},
    {"long capture", Black, "6 15 24 23 14 30 32", "", "1 3 4 12", "27", 15},
};

void Place(int* board, const char* squares, int code) {
  char* end = nullptr;
  for (const char* p = squares;; p = end) {
    const long number = std::strtol(p, &end, 10);
    if (end == p) break;
    board[TMetrics::NotationToSquare(static_cast<int>(number))] = code;
  }
}

}  // namespace

const TBenchPosition* BenchPositions(int* count) {
  *count = static_cast<int>(sizeof positions / sizeof positions[0]);
  return positions;
}

void SetupBenchPosition(const TBenchPosition& position, int* board) {
  for (int i = 0; i < BoardSize; ++i) board[i] = IsPlayable(i) ? Empty : OffBoard;
  Place(board, position.WhiteMen, WhiteMan);
  Place(board, position.WhiteKings, WhiteKing);
  Place(board, position.BlackMen, BlackMan);
  Place(board, position.BlackKings, BlackKing);
}

long long RunBench(TEngine& engine, const std::function<void(const TBenchResult&)>& finished) {
  // Without the table the figures would measure another search altogether.
  if (engine.HashTable() == nullptr) return -1;
  int count = 0;
  const TBenchPosition* suite = BenchPositions(&count);
  long long total = 0;
  TSearchControl control;  // nothing stops a bench search
  for (int k = 0; k < count; ++k) {
    TSearchRequest request;
    SetupBenchPosition(suite[k], request.Board.data());
    request.Side = suite[k].Side;
    // Every iteration to the suite's depth, with no limit of time: the same
    // nodes on any machine.
    request.Limits.Infinite = true;
    request.Limits.Depth = suite[k].Depth;
    engine.ClearTable();
    engine.Searcher().Nodes = 0;  // a forced move is answered without searching
    TBenchResult result;
    result.Position = &suite[k];
    const int start = SearchClock();
    const TSearchResult found = engine.Search(std::move(request), control);
    result.Milliseconds = SearchClock() - start;
    result.Nodes = engine.Searcher().Nodes;
    std::copy(found.Move.begin(), found.Move.end(), result.Move);
    total += result.Nodes;
    if (finished) finished(result);
  }
  return total;
}
