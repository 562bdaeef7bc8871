// What the endgame database knows of a position: a draw, or a win or loss for
// the side to move in a number of plies with best play (the winner as fast as
// possible, the loser as slowly as possible). One byte per position: 0 is a
// draw, otherwise the byte is 1 + the plies; an odd number of plies is a win
// (the winner makes the last move), an even number a loss.
#pragma once

#include <string>

constexpr int EgdbUnknown = -1;  // not in the database (too many pieces, or its file is not loaded)
constexpr int EgdbDraw = 0;
constexpr int EgdbMaxPlies = 254;

// The value of a win (odd plies) or loss (even plies) in `plies`.
inline constexpr int EgdbFromPlies(int plies) { return plies + 1; }
inline constexpr bool EgdbIsWin(int value) { return value > 0 && (value - 1) % 2 == 1; }
inline constexpr bool EgdbIsLoss(int value) { return value > 0 && (value - 1) % 2 == 0; }
inline constexpr int EgdbPlies(int value) { return value - 1; }

// The value of a position seen from the side that moved into it: a loss in N
// for the side to move there is a win in N + 1 here, a draw stays a draw.
inline constexpr int EgdbParentValue(int child) { return child <= 0 ? child : child + 1; }

// "win in N", "loss in N", "draw" or "unknown".
std::string EgdbText(int value);
