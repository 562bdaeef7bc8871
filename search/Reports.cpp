// The texts of the search: the result line kept in InfoText and the progress
// line handed to the progress sink while the computer thinks.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/Metrics.h"
#include "search/Searcher.h"

namespace {

TProgressSink progressSink;

// Appends printf-style text to a zero-terminated buffer of `size` chars.
__attribute__((format(printf, 3, 4))) void Append(char* buffer, std::size_t size, const char* format, ...) {
  const std::size_t used = std::strlen(buffer);
  if (used + 1 >= size) return;
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer + used, size - used, format, args);
  va_end(args);
}

void AppendMove(char* buffer, std::size_t size, const int* move) {
  char text[8];
  Append(buffer, size, "%s", TMetrics::MoveToStr(move, text));
}

void AppendScore(char* buffer, std::size_t size, int score) {
  char text[32];
  ScoreText(score, text, sizeof text);
  Append(buffer, size, "%s", text);
}

void AppendSeconds(char* buffer, std::size_t size, double seconds) {
  char text[32];
  SecondsText(seconds, text, sizeof text);
  Append(buffer, size, "%s", text);
}

}  // namespace

void SetProgressSink(TProgressSink sink) { progressSink = std::move(sink); }

void ScoreText(int score, char* buffer, std::size_t size) {
  if (std::abs(score) > 9500) {
    if (score >= 0)
      std::snprintf(buffer, size, "win in %d", 10000 - score);
    else
      std::snprintf(buffer, size, "lose in %d", score + 10000);
  } else {
    std::snprintf(buffer, size, "%d", score);
  }
}

void SecondsText(double seconds, char* buffer, std::size_t size) {
  // Two significant digits, as gcvt writes them.
  std::snprintf(buffer, size, "%.2g", seconds);
}

void TSearcher::PrintMoveInfo(const TMoveInfo& info, bool onlyMove) {
  const std::size_t size = sizeof InfoText;
  InfoText[0] = 0;
  AppendMove(InfoText, size, info.Move);
  if (onlyMove) {
    Append(InfoText, size, " only move");
    return;
  }
  Append(InfoText, size, "  Score=");
  AppendScore(InfoText, size, info.Score);
  Append(InfoText, size, "  Depth:%d/%d  ", IterationDepth, MaxPly);
  AppendSeconds(InfoText, size, info.Seconds);
  Append(InfoText, size, " sec  Evals:%lld  Nodes:%lld", Evals, Nodes);
}

void TSearcher::PrintIterationInfo(const TMoveInfo& info, int now) {
  PrintMoveInfo(info, false);
  const double seconds = (now - StartClock) * 0.001;
  if (seconds >= 1.0) Append(InfoText, sizeof InfoText, " %lld n/s", static_cast<long long>(Nodes / seconds));
}

void TSearcher::PrintIntermetdiateInfo(const TMoveInfo& info, int bestNumber, int currentNumber,
                                       const int* currentMove, int count) {
  if (!progressSink) return;
  char line[128];
  line[0] = 0;
  Append(line, sizeof line, "Best ");
  AppendMove(line, sizeof line, info.Move);
  Append(line, sizeof line, "(%d/%d) Score=", bestNumber, count);
  AppendScore(line, sizeof line, info.Score);
  Append(line, sizeof line, "  Depth:%d/%d  ", IterationDepth, MaxPly);
  AppendMove(line, sizeof line, currentMove);
  Append(line, sizeof line, "(%d/%d)  ", currentNumber, count);
  AppendSeconds(line, sizeof line, info.Seconds);
  Append(line, sizeof line, " sec  Evals:%lld  Nodes:%lld", Evals, Nodes);
  progressSink(line);
}
