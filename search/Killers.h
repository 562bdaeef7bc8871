// TKillers: per ply, the last move that made a node of that ply fail high
// (at the root, the last root result). Tried early by the move ordering.
#pragma once

#include "engine/Board.h"

constexpr int MaxSearchPlies = 50;  // plies 0..49

class TKillers {
 public:
  TKillers();

  int Killer[MaxSearchPlies][MoveBufferSize];  // zero-terminated; empty when [0] is 0

  static bool IsEquivalentMove(const int* a, const int* b);
  static void CopyMove(int* destination, const int* source);
  void ClearKillers();
  // 2000 for the killer of `ply`, else 0.
  int KillerIncrement(const int* move, int ply) const {
    return IsEquivalentMove(move, Killer[ply]) ? 2000 : 0;
  }
  // Makes `move` the killer of `ply` (the score does not matter).
  void UpdateKiller(const int* move, int ply, int score);
};

extern class TKillers TKillers;
