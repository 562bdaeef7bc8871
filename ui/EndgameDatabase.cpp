#include "ui/EndgameDatabase.h"

#include <utility>

#include "game/DrawRules.h"
#include "game/Game.h"

TEndgameDatabaseLoader::~TEndgameDatabaseLoader() {
  if (loader_.joinable()) loader_.join();
}

std::string TEndgameDatabaseLoader::Load(const std::string& folder) {
  FinishLoading();
  loaded_ = nullptr;
  const TEgdbLoadReport report = database_.Load(folder);
  if (report.Files > 0) loaded_ = &database_;
  return report.Problem();
}

void TEndgameDatabaseLoader::StartLoading(std::function<void(const std::string&)> report, const std::string& folder) {
  RequireUiThread("TEndgameDatabaseLoader::StartLoading");
  FinishLoading();
  loaded_ = nullptr;
  reportTo_ = std::move(report);
  loader_ = std::thread([this, folder] {
    report_ = database_.Load(folder);
    loadedEvent_.Post([this] { FinishLoading(); });
  });
}

void TEndgameDatabaseLoader::FinishLoading() {
  if (!loader_.joinable()) return;
  RequireUiThread("TEndgameDatabaseLoader::FinishLoading");
  loader_.join();
  if (report_.Files > 0) loaded_ = &database_;
  const auto report = std::move(reportTo_);
  reportTo_ = nullptr;
  if (report) report(report_.Problem());
}

std::vector<TPositionKey> GameHistory(const Game& record) {
  return PositionsSinceIrreversible(record, record.Position);
}
