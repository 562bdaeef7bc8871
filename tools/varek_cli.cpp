#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/MoveGenerator.h"

namespace {
class TMoveGenerator gen;
TMoveList lists[64];

long long Perft(int* board, int side, int depth, int ply) {
  gen.MakeMoveList(board, static_cast<TPlayer>(side), &lists[ply]);
  TMoveList& list = lists[ply];
  if (depth == 1) return list.NumMoves;
  long long total = 0;
  int saved[BoardSize];
  for (int i = 0; i < list.NumMoves; ++i) {
    for (int k = 0; k < BoardSize; ++k) saved[k] = board[k];
    TMoveGenerator::MakeMove(list.Moves[i], board);
    total += Perft(board, 1 - side, depth - 1, ply + 1);
    for (int k = 0; k < BoardSize; ++k) board[k] = saved[k];
  }
  return total;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  int depth = std::atoi(argv[2]);
  int board[BoardSize];
  TMoveGenerator::InitBoard(board);
  auto t0 = std::chrono::steady_clock::now();
  long long n = Perft(board, Black, depth, 0);
  double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::printf("perft(%d) = %lld  %.3f s  %.0f n/s\n", depth, n, s, n / s);
}
