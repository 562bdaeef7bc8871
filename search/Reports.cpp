// What the search reports: the result line kept in InfoText, the progress
// line handed to the reporter while the computer thinks, and the lines of
// each finished iteration.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/Metrics.h"
#include "search/HashTable.h"
#include "search/Searcher.h"

namespace {

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
  if (seconds >= 1.0) Append(InfoText, sizeof InfoText, " %lld n/s", static_cast<long long>(static_cast<double>(Nodes) / seconds));
}

void TSearcher::PrintIntermetdiateInfo(const TMoveInfo& info, int bestNumber, int currentNumber,
                                       const int* currentMove, int count) {
  if (Reporter == nullptr) return;
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
  Reporter->Progress(line);
}

int TSearcher::TableLine(const int* board, TPlayer side, const int* first, TMoveBuffer* pv) {
  int position[BoardSize];
  for (int i = 0; i < BoardSize; ++i) position[i] = board[i];
  TKillers::CopyMove(pv[0].data(), first);
  if (HashTable == nullptr) return 1;
  // The keys of the positions along the line: one that comes back ends it.
  int keys[MaxPvLength + 1][2];
  HashTable->GenerateKey(position, side, keys[0][0], keys[0][1]);
  int length = 1;
  for (; length < MaxPvLength; ++length) {
    const int* move = pv[length - 1].data();
    int key1 = keys[length - 1][0], key2 = keys[length - 1][1];
    HashTable->UpdateKey(position, move, key1, key2);
    TMoveGenerator::MakeMove(move, position);
    side = static_cast<TPlayer>(1 - side);
    keys[length][0] = key1;
    keys[length][1] = key2;
    bool again = false;
    for (int k = 0; k < length; ++k) again |= keys[k][0] == key1 && keys[k][1] == key2;
    THashEntry entry;
    entry.Lock = key2;
    if (again || !HashTable->Peek(entry, key1) || entry.Move < 0) break;
    TMoveGenerator.MakeMoveList(position, side, &pvList_);
    if (entry.Move >= pvList_.NumMoves) break;  // a lock shared with another position
    TKillers::CopyMove(pv[length].data(), pvList_.Moves[entry.Move]);
  }
  return length;
}

void TSearcher::ReportIteration(const int* board, TPlayer side, const TMoveInfo& info) {
  TSearchLine line;
  line.Depth = IterationDepth;
  line.SelectiveDepth = MaxPly;
  line.Nodes = Nodes;
  line.Milliseconds = SearchClock() - callClock_;
  if (MultiPv <= 1 || lineCount_ == 0) {
    line.Score = info.Score;
    line.Pv = std::span<const TMoveBuffer>(pv_, static_cast<size_t>(TableLine(board, side, info.Move, pv_)));
    Reporter->Iteration(line);
    return;
  }
  const TMoveList& roots = MoveLists[0];
  for (int k = 0; k < lineCount_ && k < MultiPv; ++k) {
    const int j = lineOrder_[k];
    line.Line = k + 1;
    line.Score = lineScores_[j];
    line.Pv = std::span<const TMoveBuffer>(pv_, static_cast<size_t>(TableLine(board, side, roots.Moves[j], pv_)));
    Reporter->Iteration(line);
  }
}
