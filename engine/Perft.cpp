#include "engine/Perft.h"

TMoveList& TPerft::ListAt(int ply) {
  while (static_cast<int>(lists_.size()) <= ply) lists_.push_back(std::make_unique<TMoveList>());
  return *lists_[ply];
}

long long TPerft::Count(int* board, TPlayer side, int depth) {
  if (depth <= 0) return 1;
  ListAt(depth - 1);  // every list the walk needs exists before it starts
  return Walk(MasksOf(board), side, depth, 0);
}

// The walk reads the board once and then works on the generator's masks: each
// move is played on a copy of its parent's masks, so nothing is taken back.
// The last ply is counted by the generator without writing its moves.
long long TPerft::Walk(const TBoardMasks& position, TPlayer side, int depth, int ply) {
  if (depth == 1) return generator_.CountMoves(position, side);
  TMoveList& list = *lists_[ply];
  generator_.MakeMoveList(position, side, &list);
  const TPlayer other = static_cast<TPlayer>(1 - side);
  long long total = 0;
  for (int i = 0; i < list.NumMoves; ++i) {
    TBoardMasks child = position;
    TMoveGenerator::MakeMove(list.Moves[i], side, child);
    total += depth > 2 ? Walk(child, other, depth - 1, ply + 1) : generator_.CountMoves(child, other);
  }
  return total;
}

std::vector<long long> TPerft::Divide(int* board, TPlayer side, int depth,
                                      std::vector<std::vector<int>>* moves) {
  std::vector<long long> counts;
  moves->clear();
  if (depth < 1) return counts;
  class TMoveGenerator generator;
  TMoveList root;
  generator.MakeMoveList(board, side, &root);
  for (int i = 0; i < root.NumMoves; ++i) {
    const int* move = root.Moves[i];
    moves->emplace_back(move, move + MoveLength(move) + 1);
    int after[BoardSize];
    for (int k = 0; k < BoardSize; ++k) after[k] = board[k];
    TMoveGenerator::MakeMove(move, after);
    counts.push_back(Count(after, static_cast<TPlayer>(1 - side), depth - 1));
  }
  return counts;
}
