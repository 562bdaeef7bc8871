// The draw rules, applied to a game record: a position repeated for the third
// time with the same side to move, and 40 moves by each side in which no piece
// was captured and no man moved.
#pragma once

#include <vector>

#include "engine/PositionKey.h"
#include "game/Game.h"

enum class TDraw { None, Repetition, FortyMoves };

// Moves by both sides without a capture or a man move after which the game is drawn.
constexpr int FortyMoveRulePlies = 80;

// The positions of `record` from the last capture or man move up to the one
// after move `position` (0 is the start), oldest first, with their sides to
// move. Only these can repeat. The search is given the same list as its history.
std::vector<TPositionKey> PositionsSinceIrreversible(const Game& record, int position);

// Whether the game is drawn in the position after move `position` of `record`.
TDraw FindDraw(const Game& record, int position);

// The draw in the position after move `position` when the position before it
// was not drawn the same way: the moment the game becomes drawn, which stops
// the computer playing itself. Playing on, the next draw is a new one.
TDraw NewDraw(const Game& record, int position);

// "draw by repetition", "draw by the 40-move rule", or "" for none.
const char* DrawText(TDraw draw);
