#include "ui/EndgameDatabase.h"

#include "game/DrawRules.h"
#include "game/Game.h"
#include "search/Searcher.h"

namespace {

TEndgameDatabase Database;

}  // namespace

std::string LoadEndgameDatabase(const std::string& folder) {
  TSearcher.Database = nullptr;
  const TEgdbLoadReport report = Database.Load(folder);
  if (report.Files > 0) TSearcher.Database = &Database;
  return report.Problem();
}

std::vector<TPositionKey> GameHistory() { return PositionsSinceIrreversible(GameRecord, GameRecord.Position); }
