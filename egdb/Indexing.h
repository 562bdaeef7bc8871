// The numbering of database positions. Positions are grouped by their
// material split (how many kings and men each side has); within a split a
// position has one index, made from the squares of each kind of piece and
// the side to move. White men stand on squares 5 to 32 and Black men on 1 to
// 28 (a man on its crowning row is a king); kings are numbered among the
// squares the men leave free, so only White and Black men can collide, and
// such indices name no position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Board.h"

constexpr int EgdbMaxSupportedPieces = 5;

struct TMaterialSplit {
  int WhiteKings = 0;
  int WhiteMen = 0;
  int BlackKings = 0;
  int BlackMen = 0;

  int Pieces() const { return WhiteKings + WhiteMen + BlackKings + BlackMen; }
  int Men() const { return WhiteMen + BlackMen; }
  bool operator==(const TMaterialSplit&) const = default;
  // Number of indices, both sides to move.
  std::uint32_t Size() const;
  // "KKM-K": White's kings and men, then Black's.
  std::string Name() const;
};

// Every split of 2 to `maxPieces` pieces with at least one piece a side, in
// the order they can be built: fewer pieces first, and among splits of as
// many pieces fewer men first (a capture leaves fewer pieces, a crowning
// fewer men, and every other move stays in the split).
std::vector<TMaterialSplit> EgdbSplits(int maxPieces);

// The split of a position, counted on the board.
TMaterialSplit SplitOf(const int* board);

constexpr std::uint32_t NoIndex = 0xffffffffu;

// Index of a position within its split; `split` must be SplitOf(board).
// NoIndex for a board with a man on its own crowning row.
std::uint32_t PositionIndex(const TMaterialSplit& split, const int* board, TPlayer side);

// The split and index of a position in one go; false for more than
// EgdbMaxSupportedPieces pieces. The index may be NoIndex.
bool SplitAndIndex(const int* board, TPlayer side, TMaterialSplit* split, std::uint32_t* index);

// Writes the position of `index` into a 55-cell board; false (board
// unspecified) for an index whose White and Black men share a square.
bool DecodePosition(const TMaterialSplit& split, std::uint32_t index, int* board, TPlayer* side);
