#include "ui/Progress.h"

#include <memory>

#include "framework/StatusBar.h"
#include "framework/Timer.h"
#include "search/Searcher.h"

namespace {

constexpr const char* DepthMark = "  Depth:";
constexpr const char* Gap = "  ";

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

void TProgressDisplay::ShowOn(TStatusBar* bar) {
  if (bar_ == bar) return;
  ticker_.reset();
  bar_ = bar;
  if (!bar) return;
  bestField_ = bar->AddField();
  figuresField_ = bar->AddField();
  ticker_ = std::make_unique<TTimer>(250, [this] { Tick(); });
}

void TProgressDisplay::Show(const TProgressParts& parts, bool message) {
  if (!bar_) return;
  if (message) bar_->SetText(parts.Message.c_str());
  bar_->SetFieldText(bestField_, parts.Best.c_str());
  bar_->SetFieldText(figuresField_, parts.Figures.c_str());
}

// The seconds on the bar follow the clock between the search's own reports.
void TProgressDisplay::Tick() {
  if (!bar_) return;
  const std::string figures = bar_->GetFieldText(figuresField_);
  if (figures.empty()) return;
  const std::string counted = WithSeconds(figures, (SearchClock() - clockStart_) * 0.001);
  if (counted != figures) bar_->SetFieldText(figuresField_, counted.c_str());
}

void TProgressDisplay::Progress(const char* line) { Show(SplitProgressLine(line ? line : ""), false); }

void TProgressDisplay::Result(const char* infoText) { Show(SplitResultLine(infoText ? infoText : ""), true); }

void TProgressDisplay::HintResult(const char* infoText) {
  Show(SplitResultLine(infoText ? infoText : "", "hint: "), true);
}

void TProgressDisplay::Clear() { Show(TProgressParts(), false); }

void TProgressDisplay::ClockStarted() {
  if (!bar_) return;
  Show(TProgressParts(), false);  // nothing of the last search
  clockStart_ = SearchClock();
  ticker_->Start();
}

void TProgressDisplay::ClockStopped() {
  if (ticker_) ticker_->Stop();
}
