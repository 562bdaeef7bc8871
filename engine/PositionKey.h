// TPositionKey: a position (every piece and the side to move) packed into four
// 32-square masks, so that positions can be compared exactly and cheaply. The
// draw rules of the game and the search's view of the game's history both use
// it to recognise a position that has been on the board before.
#pragma once

#include <cstdint>
#include <span>

#include "engine/Board.h"

struct TPositionKey {
  // Bit n - 1 stands for square n (1 to 32).
  std::uint32_t WhiteMen = 0;
  std::uint32_t WhiteKings = 0;
  std::uint32_t BlackMen = 0;
  std::uint32_t BlackKings = 0;
  int Side = Black;

  constexpr bool operator==(const TPositionKey&) const = default;
};

TPositionKey MakePositionKey(const int* board, TPlayer side);
// The 55-cell board of a key (its side to move is key.Side).
void BoardOfPositionKey(const TPositionKey& key, int* board);

// True when `move`, about to be played on `board`, can never be undone: a
// capture or a move of a man. Positions before it cannot come back.
bool IsIrreversibleMove(const int* move, const int* board);

// How often `key` occurs in `history`.
int CountOccurrences(std::span<const TPositionKey> history, const TPositionKey& key);
