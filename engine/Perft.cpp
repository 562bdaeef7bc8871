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

// The last ply is counted by the generator without writing its moves. Each
// move is taken back by restoring the squares it touched: MakeMove writes
// only the squares listed. A simple move, the common case, is made and taken
// back directly.
long long TPerft::Walk(int* board, int side, int depth, int ply) {
  if (depth == 1) return generator_.CountMoves(board, static_cast<TPlayer>(side));
  TMoveList& list = *lists_[ply];
  generator_.MakeMoveList(board, static_cast<TPlayer>(side), &list);
  const TPlayer other = static_cast<TPlayer>(1 - side);
  // The count below this node's child.
  auto below = [&]() -> long long {
    return depth > 2 ? Walk(board, other, depth - 1, ply + 1) : generator_.CountMoves(board, other);
  };
  long long total = 0;
  for (int i = 0; i < list.NumMoves; ++i) {
    const int* move = list.Moves[i];
    const int from = move[0];
    const int piece = board[from];
    if (move[2] == 0) {
      const int to = move[1];
      board[from] = Empty;
      board[to] = IsCrowningRow(to) && piece > BlackKing ? piece - 2 : piece;
      total += below();
      board[to] = Empty;
      board[from] = piece;
      continue;
    }
    int saved[MoveBufferSize];
    int n = 0;
    for (; move[n] != 0; ++n) saved[n] = board[move[n]];
    TMoveGenerator::MakeMove(move, board);
    total += below();
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
