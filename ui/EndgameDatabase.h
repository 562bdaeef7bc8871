// What the computer knows beyond its search, as the window hands it over: the
// endgame database, loaded when the window is made, and the positions the game
// has been through since its last capture or man move.
#pragma once

#include <string>
#include <vector>

#include "egdb/Database.h"
#include "engine/PositionKey.h"

// Loads the database from `folder` and gives it to the computer; a damaged
// file is left out. Returns what the status bar should say of a missing or
// damaged file, or "" when all is well.
std::string LoadEndgameDatabase(const std::string& folder = DefaultEgdbFolder());

// UI thread: the positions of the game record up to its current one, back to
// its last capture or man move, the most recent last.
std::vector<TPositionKey> GameHistory();
