// The start positions of a match's games: the three-move openings, or the
// games of a PDN file (each one's position after its moves).
#pragma once

#include <string>
#include <vector>

#include "engine/Board.h"

constexpr int ThreeMoveOpeningCount = 156;
// "9-13 21-17 5-9", ...: Black's move, White's reply, Black's second move.
extern const char* const ThreeMoveOpenings[ThreeMoveOpeningCount];

struct TOpening {
  std::string Name;  // the moves ("11-15 23-18 8-11"), or "FILE game N"
  int StartBoard[BoardSize];
  TPlayer StartSide = Black;
  std::vector<std::vector<int>> Moves;  // played from the start, each zero-terminated
  // Whether the game starts from the usual position with Black to move.
  bool FromStartingPosition() const;
};

// The three-move openings, played out.
std::vector<TOpening> StandardOpenings();
// Every game of a PDN file; false with the reason when it cannot be read or
// a game is refused.
bool ReadOpenings(const std::string& path, std::vector<TOpening>* openings, std::string* error);
