// Position strings as checkers programs exchange them: the side to move, then
// White's and Black's pieces by square number, kings prefixed with K, e.g.
// B:W21,22,23,24,25,26,27,28,29,30,31,32:B1,2,3,4,5,6,7,8,9,10,11,12
#pragma once

#include <string>

#include "engine/Board.h"

// Parses `text` into a 55-cell board and a side to move. On failure returns
// false and puts a one-line reason into `error`; board and side are then unspecified.
bool ParsePosition(const std::string& text, int* board, TPlayer* side, std::string* error);

// Writes a position, White's list first, squares ascending within each colour.
std::string FormatPosition(const int* board, TPlayer side);
