// Builds the endgame database by retrograde analysis: for every position of
// a split, from the positions that end the game backwards, whether the side
// to move wins, loses or draws and in how many plies.
#pragma once

#include <functional>

#include "egdb/Database.h"

// Called now and then with the positions done so far and the total.
using TEgdbProgress = std::function<void(long long done, long long total)>;

// Solves one split into `database`; every split it leads to by a capture or a
// crowning must be there already.
void BuildSplit(TEndgameDatabase& database, const TMaterialSplit& split);

// Solves every split of up to `maxPieces` pieces that `database` lacks.
void BuildEgdb(TEndgameDatabase& database, int maxPieces, const TEgdbProgress& progress = {});
