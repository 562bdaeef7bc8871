#include "ui/EndgameDatabase.h"

#include <thread>

#include "framework/UiThread.h"
#include "game/DrawRules.h"
#include "game/Game.h"
#include "ui/Thinking.h"

namespace {

TEndgameDatabase Database;

// A load on its own thread: what it found is read once the thread has ended.
std::thread Loader;
TEgdbLoadReport LoaderReport;
std::function<void(const std::string&)> ReportLoad;

}  // namespace

std::string LoadEndgameDatabase(const std::string& folder) {
  FinishLoadingEndgameDatabase();
  ComputerEngine().SetDatabase(nullptr);
  const TEgdbLoadReport report = Database.Load(folder);
  if (report.Files > 0) ComputerEngine().SetDatabase(&Database);
  return report.Problem();
}

void StartLoadingEndgameDatabase(std::function<void(const std::string&)> report, const std::string& folder) {
  RequireUiThread("StartLoadingEndgameDatabase");
  FinishLoadingEndgameDatabase();
  ComputerEngine().SetDatabase(nullptr);
  ReportLoad = std::move(report);
  Loader = std::thread([folder] {
    LoaderReport = Database.Load(folder);
    PostToUiThread(nullptr, [] { FinishLoadingEndgameDatabase(); });
  });
}

void FinishLoadingEndgameDatabase() {
  if (!Loader.joinable()) return;
  RequireUiThread("FinishLoadingEndgameDatabase");
  Loader.join();
  if (LoaderReport.Files > 0) ComputerEngine().SetDatabase(&Database);
  const auto report = std::move(ReportLoad);
  ReportLoad = nullptr;
  if (report) report(LoaderReport.Problem());
}

std::vector<TPositionKey> GameHistory() { return PositionsSinceIrreversible(GameRecord, GameRecord.Position); }
