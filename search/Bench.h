// The search benchmark: a fixed suite of positions, each searched to a fixed
// depth with an empty table and no killers. Its node count changes only when
// the search's behaviour does.
#pragma once

#include <functional>

#include "engine/Board.h"

struct TBenchPosition {
  const char* Name;
  TPlayer Side;
  const char* WhiteMen;  // square numbers 1..32, separated by spaces
  const char* WhiteKings;
  const char* BlackMen;
  const char* BlackKings;
  int Depth;  // deepest iteration, plies
};

struct TBenchResult {
  const TBenchPosition* Position;
  long long Nodes;
  int Milliseconds;
  int Move[MoveBufferSize];
};

// The suite.
const TBenchPosition* BenchPositions(int* count);
// Writes a suite position into a 55-cell board.
void SetupBenchPosition(const TBenchPosition& position, int* board);
class TEngine;

// Searches every position of the suite with `engine`, reporting each as it
// finishes; returns the total node count, or -1 (searching nothing) when the
// engine has no hash table.
long long RunBench(TEngine& engine, const std::function<void(const TBenchResult&)>& finished);
