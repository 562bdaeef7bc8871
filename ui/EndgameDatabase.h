// What the computer knows beyond its search, as the window hands it over: the
// endgame database, loaded while the window first shows, and the positions the
// game has been through since its last capture or man move.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "egdb/Database.h"
#include "search/Book.h"
#include "engine/PositionKey.h"

// Loads the database from `folder` and gives it to the computer; a damaged
// file is left out. Returns what the status bar should say of a missing or
// damaged file, or "" when all is well.
std::string LoadEndgameDatabase(const std::string& folder = DefaultEgdbFolder());

// UI thread: loads the database on a thread of its own, so that the window
// shows meanwhile. Once it is loaded the UI thread gives it to the computer
// and calls `report` with what LoadEndgameDatabase would have returned.
void StartLoadingEndgameDatabase(std::function<void(const std::string&)> report,
                                 const std::string& folder = DefaultEgdbFolder());
// UI thread: waits for a load under way to end and finishes it as above; at
// once when none is under way. Every search starts after it.
void FinishLoadingEndgameDatabase();

// The database as it was last loaded, or null when it holds nothing.
const TEndgameDatabase* LoadedEndgameDatabase();

// The opening book the computer plays its first moves from (read on first
// use), or null when it is missing or left off.
const TOpeningBook* LoadedOpeningBook();
// Leaves the book off (tests that want the computer to think from the start) or on again.
void LeaveOpeningBookOff(bool off);

// UI thread: the positions of the game record up to its current one, back to
// its last capture or man move, the most recent last.
std::vector<TPositionKey> GameHistory();
