// Saving and loading game files by path, for the window and the companion.
// The byte layout itself lives in the stream operators declared in Game.h.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "game/Game.h"

// Writes `game` to a temporary file beside `path` and renames it over `path`
// only when the whole write has reached the disk; true once the renamed entry
// has too. A file replaced keeps its permissions, a new one gets rw-rw-rw-
// less the umask. When the write fails the temporary file is removed, any old
// file at `path` is left as it was, and false is returned.
bool SaveGameFile(const std::string& path, Game& game);

// The same for any contents: `write` fills the temporary file.
bool SaveFile(const std::string& path, const std::function<void(std::ostream&)>& write);
bool SaveTextFile(const std::string& path, const std::string& text);

enum class TLoadResult {
  Loaded,      // the file was read and `game` now holds it, at its last move
  Damaged,     // the file was read but is damaged: the reader has reported it and `game` holds no moves
  CannotOpen,  // the file could not be opened; `game` is untouched
};

TLoadResult LoadGameFile(const std::string& path, Game& game);
