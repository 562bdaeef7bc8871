// The end of a game: how it is told when the side to move cannot move, and
// how the player hears of it (the status bar and a message box).
#pragma once

// What the game's end says when `side` is to move on `board`: the winner, or
// that there is nothing left to play with; null while `side` has a move.
const char* GameOverText(const int* board, int side);
