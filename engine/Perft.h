// TPerft: counts the positions reached after a number of plies, the standard
// check of a move generator and our benchmark of its speed.
#pragma once

#include <memory>
#include <vector>

#include "engine/Board.h"
#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"

class TPerft {
 public:
  // Number of move sequences of `depth` plies from `board` with `side` to
  // move (1 for depth 0). The board is only read.
  long long Count(int* board, TPlayer side, int depth);

  // Moves of `side` in generation order, one count per move for depth - 1
  // further plies. `moves` receives copies of the moves (depth >= 1).
  std::vector<long long> Divide(int* board, TPlayer side, int depth, std::vector<std::vector<int>>* moves);

 private:
  TMoveList& ListAt(int ply);
  long long Walk(const TBoardMasks& position, TPlayer side, int depth, int ply);

  class TMoveGenerator generator_;
  std::vector<std::unique_ptr<TMoveList>> lists_;
};
