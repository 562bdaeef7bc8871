#include "ui/Progress.h"

#include <memory>

#include "framework/StatusBar.h"
#include "framework/Timer.h"
#include "search/Searcher.h"

namespace {

constexpr const char* DepthMark = "  Depth:";
constexpr const char* Gap = "  ";

// All of it used on the UI thread only.
struct TProgressBar {
  TStatusBar* Bar = nullptr;
  int BestField = -1;
  int FiguresField = -1;
  std::unique_ptr<TTimer> Ticker;
  int ClockStart = 0;  // SearchClock() when the search began
};

TProgressBar shown;

void Show(const TProgressParts& parts, bool message) {
  if (!shown.Bar) return;
  if (message) shown.Bar->SetText(parts.Message.c_str());
  shown.Bar->SetFieldText(shown.BestField, parts.Best.c_str());
  shown.Bar->SetFieldText(shown.FiguresField, parts.Figures.c_str());
}

// The seconds on the bar follow the clock between the search's own reports.
void Tick() {
  if (!shown.Bar) return;
  const std::string figures = shown.Bar->GetFieldText(shown.FiguresField);
  if (figures.empty()) return;
  const std::string counted = WithSeconds(figures, (SearchClock() - shown.ClockStart) * 0.001);
  if (counted != figures) shown.Bar->SetFieldText(shown.FiguresField, counted.c_str());
}

}  // namespace

TProgressParts SplitProgressLine(const std::string& line) {
  // "Best 11-15(1/7) Score=12  Depth:13/25  9-14(3/7)  2.1 sec  Evals:...  Nodes:..."
  TProgressParts parts;
  const size_t depth = line.find(DepthMark);
  if (depth == std::string::npos) {
    parts.Best = line;
    return parts;
  }
  const size_t current = line.find(Gap, depth + 2);
  const size_t seconds = current == std::string::npos ? std::string::npos : line.find(Gap, current + 2);
  if (seconds == std::string::npos) {
    parts.Best = line.substr(0, depth);
    parts.Figures = line.substr(depth + 2);
    return parts;
  }
  parts.Best = line.substr(0, depth) + line.substr(current, seconds - current);
  parts.Figures = line.substr(depth + 2, current - depth - 2) + line.substr(seconds);
  return parts;
}

TProgressParts SplitResultLine(const std::string& infoText, const char* lead) {
  // "11-15  Score=12  Depth:13/25  2.1 sec  Evals:...  Nodes:... n/s", or "11-15 only move"
  TProgressParts parts;
  const size_t depth = infoText.find(DepthMark);
  parts.Message = lead + infoText.substr(0, depth);
  if (depth != std::string::npos) parts.Figures = infoText.substr(depth + 2);
  return parts;
}

std::string WithSeconds(const std::string& figures, double seconds) {
  const size_t unit = figures.find(" sec");
  if (unit == std::string::npos) return figures;
  const size_t start = figures.rfind(Gap, unit);
  if (start == std::string::npos) return figures;
  char text[32];
  SecondsText(seconds, text, sizeof text);
  return figures.substr(0, start + 2) + text + figures.substr(unit);
}

void ShowProgressOn(TStatusBar* bar) {
  if (shown.Bar == bar) return;
  shown.Ticker.reset();
  shown.Bar = bar;
  if (!bar) return;
  shown.BestField = bar->AddField();
  shown.FiguresField = bar->AddField();
  shown.Ticker = std::make_unique<TTimer>(250, Tick);
}

void ShowComputerProgress(const char* line) { Show(SplitProgressLine(line ? line : ""), false); }

void ShowComputerResult(const char* infoText) { Show(SplitResultLine(infoText ? infoText : ""), true); }

void ShowHintResult(const char* infoText) { Show(SplitResultLine(infoText ? infoText : "", "hint: "), true); }

void ClearComputerProgress() { Show(TProgressParts(), false); }

void ProgressClockStarted() {
  if (!shown.Bar) return;
  Show(TProgressParts(), false);  // nothing of the last search
  shown.ClockStart = SearchClock();
  shown.Ticker->Start();
}

void ProgressClockStopped() {
  if (shown.Ticker) shown.Ticker->Stop();
}
