// What the computer knows beyond its search, as the window hands it over: the
// endgame database, loaded while the window first shows, and the positions the
// game has been through since its last capture or man move.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "egdb/Database.h"
#include "engine/PositionKey.h"
#include "framework/UiThread.h"

class Game;

// The window's endgame database and its loading. Everything here runs on the
// UI thread; a load may run on a thread of its own meanwhile.
class TEndgameDatabaseLoader {
 public:
  TEndgameDatabaseLoader() = default;
  // Waits for a load under way (its report is dropped).
  ~TEndgameDatabaseLoader();
  TEndgameDatabaseLoader(const TEndgameDatabaseLoader&) = delete;
  TEndgameDatabaseLoader& operator=(const TEndgameDatabaseLoader&) = delete;

  // Loads the database from `folder`; a damaged file is left out. Returns
  // what the status bar should say of a missing or damaged file, or "" when
  // all is well.
  std::string Load(const std::string& folder = DefaultEgdbFolder());
  // Loads on a thread of its own, so that the window shows meanwhile; once
  // it is loaded `report` hears what Load would have returned.
  void StartLoading(std::function<void(const std::string&)> report, const std::string& folder = DefaultEgdbFolder());
  // Waits for a load under way to end and finishes it as above; at once when
  // none is under way. Every search starts after it.
  void FinishLoading();
  // The database as it was last loaded, or null when it holds nothing.
  const TEndgameDatabase* Loaded() const { return loaded_; }

 private:
  TEndgameDatabase database_;
  const TEndgameDatabase* loaded_ = nullptr;
  // A load on its own thread: what it found is read once the thread has ended.
  std::thread loader_;
  TEgdbLoadReport report_;
  std::function<void(const std::string&)> reportTo_;
  TUiQueue loadedEvent_;  // the load has ended
};

// The positions of `record` up to its current one, back to its last capture
// or man move, the most recent last.
std::vector<TPositionKey> GameHistory(const Game& record);
