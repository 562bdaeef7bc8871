#include "search/Engine.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {

// A time limit that never comes: the Infinite level's.
constexpr double NoTimeLimit = 36000000;

}  // namespace

TSearchLimits TSearchLimits::MoveTime(double seconds) {
  TSearchLimits limits;
  limits.Seconds = seconds / 2;
  limits.HardSeconds = seconds;
  return limits;
}

TSearchLimits TSearchLimits::Clock(double remaining, double increment, int movesToGo) {
  // Thirty moves are planned for when the control does not say, the increment
  // mostly spent, and never more than half of what is left.
  const int moves = movesToGo > 0 ? std::min(movesToGo, 30) : 30;
  remaining = std::max(0.0, remaining);
  double share = std::min(remaining / moves + 0.8 * std::max(0.0, increment), 0.5 * remaining);
  share = std::max(share - 0.01, 0.005);  // the answer's way back
  return MoveTime(share);
}

TEngine::TEngine(int tableMegabytes) { SetTableMegabytes(tableMegabytes); }

bool TEngine::SetTableMegabytes(int megabytes) {
  searcher_.HashTable = nullptr;
  table_.reset();
  if (megabytes <= 0) return false;
  const long long rows = static_cast<long long>(megabytes) * 1048576 / sizeof(THashEntry);
  try {
    table_ = std::make_unique<THashTable>(static_cast<int>(std::min<long long>(rows, 1 << 30)), 1);
  } catch (const std::bad_alloc&) {
    return false;
  }
  searcher_.HashTable = table_.get();
  return true;
}

void TEngine::NewGame() { ClearTable(); }

void TEngine::ClearTable() {
  if (table_) table_->Clear();
  searcher_.TKillers.ClearKillers();
  searcher_.MoveHistory.Clear();
}

TSearchResult TEngine::Search(TSearchRequest request, TSearchControl& control, TSearchReporter* reporter) {
  const TSearchLimits& limits = request.Limits;
  TSearcher& s = searcher_;
  s.Control = &control;
  s.Reporter = reporter;
  s.TimeLimit = limits.Infinite ? NoTimeLimit : std::max(0.0, limits.Seconds);
  s.HardLimitMs = limits.Infinite || limits.HardSeconds <= 0
                      ? 0
                      : std::max(1, static_cast<int>(std::lround(std::min(limits.HardSeconds, NoTimeLimit) * 1000)));
  s.MaxIterationDepth = limits.Depth > 0 ? std::min(limits.Depth, 47) : 47;
  s.MultiPv = std::max(1, limits.MultiPv);
  s.Book = limits.Book ? book_ : nullptr;
  s.SetHistory(request.History);

  TSearchResult result;
  s.GetComputerMoveHash(request.Board.data(), request.Side, result.Move.data());
  result.Score = s.ResultScore;
  result.Depth = s.ResultDepth;
  static_assert(sizeof result.Report == sizeof s.InfoText);
  std::memcpy(result.Report, s.InfoText, sizeof result.Report);
  result.Source = s.ResultSource;
  result.Aborted = control.StopRequested();
  s.Control = nullptr;
  s.Reporter = nullptr;
  return result;
}
