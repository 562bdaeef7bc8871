#include "engine/Perft.h"

TMoveList& TPerft::ListAt(int ply) {
  while (static_cast<int>(lists_.size()) <= ply) lists_.push_back(std::make_unique<TMoveList>());
  return *lists_[ply];
}

long long TPerft::Count(int* board, TPlayer side, int depth) {
  if (depth <= 0) return 1;
  ListAt(depth - 1);  // every list the walk needs exists before it starts
  return Walk(board, side, depth, 0);
}

// The last ply is counted from the size of the list. Each move is taken back
// by restoring the squares it touched: MakeMove writes only the squares listed.
long long TPerft::Walk(int* board, int side, int depth, int ply) {
  TMoveList& list = *lists_[ply];
  generator_.MakeMoveList(board, static_cast<TPlayer>(side), &list);
  if (depth == 1) return list.NumMoves;
  long long total = 0;
  int saved[MoveBufferSize];
  for (int i = 0; i < list.NumMoves; ++i) {
    const int* move = list.Moves[i];
    int n = 0;
    for (; move[n] != 0; ++n) saved[n] = board[move[n]];
    TMoveGenerator::MakeMove(move, board);
    total += Walk(board, 1 - side, depth - 1, ply + 1);
    while (n-- > 0) board[move[n]] = saved[n];
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
