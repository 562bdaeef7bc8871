#include "ui/EndgameDatabase.h"

#include <memory>
#include <thread>

#include "framework/UiThread.h"
#include "game/DrawRules.h"
#include "game/Game.h"

namespace {

TEndgameDatabase Database;
const TEndgameDatabase* Loaded = nullptr;  // Database once it holds something

// A load on its own thread: what it found is read once the thread has ended.
std::thread Loader;
TEgdbLoadReport LoaderReport;
std::function<void(const std::string&)> ReportLoad;
std::unique_ptr<TUiQueue> LoaderDone;  // tells the UI thread that the load has ended

}  // namespace

std::string LoadEndgameDatabase(const std::string& folder) {
  FinishLoadingEndgameDatabase();
  Loaded = nullptr;
  const TEgdbLoadReport report = Database.Load(folder);
  if (report.Files > 0) Loaded = &Database;
  return report.Problem();
}

void StartLoadingEndgameDatabase(std::function<void(const std::string&)> report, const std::string& folder) {
  RequireUiThread("StartLoadingEndgameDatabase");
  FinishLoadingEndgameDatabase();
  Loaded = nullptr;
  ReportLoad = std::move(report);
  if (!LoaderDone) LoaderDone = std::make_unique<TUiQueue>();
  Loader = std::thread([folder] {
    LoaderReport = Database.Load(folder);
    LoaderDone->Post([] { FinishLoadingEndgameDatabase(); });
  });
}

void FinishLoadingEndgameDatabase() {
  if (!Loader.joinable()) return;
  RequireUiThread("FinishLoadingEndgameDatabase");
  Loader.join();
  if (LoaderReport.Files > 0) Loaded = &Database;
  const auto report = std::move(ReportLoad);
  ReportLoad = nullptr;
  if (report) report(LoaderReport.Problem());
}

const TEndgameDatabase* LoadedEndgameDatabase() { return Loaded; }

namespace {
bool BookOff = false;
}  // namespace

const TOpeningBook* LoadedOpeningBook() { return BookOff ? nullptr : DefaultBook(); }

void LeaveOpeningBookOff(bool off) { BookOff = off; }

std::vector<TPositionKey> GameHistory() { return PositionsSinceIrreversible(GameRecord, GameRecord.Position); }
