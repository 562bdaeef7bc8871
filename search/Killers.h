// TKillers: per ply, the last move that made a node of that ply fail high
// (at the root, the last root result). TMoveHistory: for each side, how much
// each simple move (by its start and end) has made nodes fail high. Both are
// the move ordering's memory of earlier nodes.
#pragma once

#include "engine/Board.h"
#include "engine/MoveGenerator.h"
#include "engine/MoveList.h"

constexpr int MaxSearchPlies = 50;  // plies 0..49

class TKillers {
 public:
  TKillers();

  // All zero when a ply has none (no move starts and ends on bit 0 taking nothing).
  TMaskMove Killer[MaxSearchPlies];

  static bool IsEquivalentMove(const int* a, const int* b);
  static void CopyMove(int* destination, const int* source);
  static bool Same(const TMaskMove& a, const TMaskMove& b) {
    return a.From == b.From && a.To == b.To && a.Taken == b.Taken;
  }
  void ClearKillers();
  // 2000 for the killer of `ply`, else 0.
  int KillerIncrement(const TMaskMove& move, int ply) const { return Same(move, Killer[ply]) ? 2000 : 0; }
  int KillerIncrement(const int* move, int ply) const {
    return KillerIncrement(TMoveGenerator::MaskMoveOf(move), ply);
  }
  bool HasKiller(int ply) const { return !Same(Killer[ply], TMaskMove{}); }
  // Makes `move` the killer of `ply` (the score does not matter).
  void UpdateKiller(const TMaskMove& move, int ply, int /*score*/) { Killer[ply] = move; }
  void UpdateKiller(const int* move, int ply, int score) { UpdateKiller(TMoveGenerator::MaskMoveOf(move), ply, score); }
};

class TMoveHistory {
 public:
  // The ordering bonus of a simple move of `side`, 0 to MaxBonus.
  static constexpr int MaxBonus = 1000;
  int Bonus(TPlayer side, const TMaskMove& move) const {
    return counts_[side][move.From][move.To] >> shift_;
  }
  // A simple move made a node `plies` deep fail high.
  void Reward(TPlayer side, const TMaskMove& move, int plies) {
    int& count = counts_[side][move.From][move.To];
    count += plies * plies;
    if ((count >> shift_) > MaxBonus) Age();
  }
  // Halves every count: the older the cut-offs, the less they count.
  void Age() {
    for (auto& side : counts_)
      for (auto& from : side)
        for (int& count : from) count /= 2;
  }
  void Clear() {
    for (auto& side : counts_)
      for (auto& from : side)
        for (int& count : from) count = 0;
  }

 private:
  static constexpr int shift_ = 4;
  int counts_[2][35][35] = {};
};
