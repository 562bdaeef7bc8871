#include "search/Bench.h"

#include <cstdlib>

#include "engine/Metrics.h"
#include "search/HashTable.h"
#include "search/Searcher.h"

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

long long RunBench(const std::function<void(const TBenchResult&)>& finished) {
  // Without the table the figures would measure another search altogether.
  if (HashTable == nullptr) return -1;
  const int timeLimit = TSearcher.TimeLimit;
  const int hardLimit = TSearcher.HardLimitMs;
  TSearcher.HardLimitMs = 0;  // the same nodes on any machine
  const int maxDepth = TSearcher.MaxIterationDepth;
  TSearchControl* const control = TSearcher.Control;
  TSearcher.Control = nullptr;  // nothing may cut a bench search short
  int count = 0;
  const TBenchPosition* suite = BenchPositions(&count);
  long long total = 0;
  for (int k = 0; k < count; ++k) {
    int board[BoardSize];
    SetupBenchPosition(suite[k], board);
    HashTable->Clear();
    TSearcher.TimeLimit = 36000000;
    TSearcher.MaxIterationDepth = suite[k].Depth;
    TBenchResult result;
    result.Position = &suite[k];
    TSearcher.Nodes = 0;  // a forced move is answered without searching
    const int start = SearchClock();
    TSearcher.GetComputerMoveHash(board, suite[k].Side, result.Move);
    result.Milliseconds = SearchClock() - start;
    result.Nodes = TSearcher.Nodes;
    total += result.Nodes;
    if (finished) finished(result);
  }
  TSearcher.TimeLimit = timeLimit;
  TSearcher.HardLimitMs = hardLimit;
  TSearcher.MaxIterationDepth = maxDepth;
  TSearcher.Control = control;
  return total;
}
