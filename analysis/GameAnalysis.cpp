#include "analysis/GameAnalysis.h"

#include <algorithm>
#include <cstring>

#include "engine/MoveGenerator.h"
#include "game/DrawRules.h"

namespace {

// A side without a move at the root.
constexpr int LostNow = -10001;

int Weighed(int score) {
  if (score > WinScores) return ProvenScore;
  if (score < -WinScores) return -ProvenScore;
  return std::clamp(score, -ClampedScore, ClampedScore);
}

bool SameMove(const int* a, const int* b) {
  const int n = MoveLength(a);
  return n == MoveLength(b) && std::equal(a, a + n, b);
}

}  // namespace

const char* MoveMarkText(TMoveMark mark) {
  switch (mark) {
    case TMoveMark::Inaccuracy: return "?!";
    case TMoveMark::Mistake: return "?";
    case TMoveMark::Blunder: return "??";
    case TMoveMark::None: break;
  }
  return "";
}

TMoveMark MoveMarkFromText(const char* text) {
  for (TMoveMark mark : {TMoveMark::Inaccuracy, TMoveMark::Mistake, TMoveMark::Blunder})
    if (std::strcmp(text, MoveMarkText(mark)) == 0) return mark;
  return TMoveMark::None;
}

TMoveMark MoveMarkFor(int best, int played) {
  // A proven win given up for a draw (0) loses ProvenScore, a blunder.
  static_assert(ProvenScore >= BlunderLoss && BlunderLoss > MistakeLoss && MistakeLoss > InaccuracyLoss);
  const int loss = Weighed(best) - Weighed(played);
  if (loss >= BlunderLoss) return TMoveMark::Blunder;
  if (loss >= MistakeLoss) return TMoveMark::Mistake;
  if (loss >= InaccuracyLoss) return TMoveMark::Inaccuracy;
  return TMoveMark::None;
}

TGameAnalysis::TGameAnalysis(const int* board, TPlayer side, std::vector<std::vector<int>> moves)
    : moves_(std::move(moves)), positions_(moves_.size() + 1) {
  std::vector<TPositionKey> keys;
  class TMoveGenerator generator;
  TMoveList legal;
  for (size_t i = 0; i < positions_.size(); ++i) {
    TPosition& p = positions_[i];
    if (i == 0) {
      std::copy(board, board + BoardSize, p.Board);
      p.Side = side;
    } else {
      const TPosition& before = positions_[i - 1];
      const int* move = moves_[i - 1].data();
      if (IsIrreversibleMove(move, before.Board)) keys.clear();
      std::copy(before.Board, before.Board + BoardSize, p.Board);
      TMoveGenerator::MakeMove(move, p.Board);
      p.Side = static_cast<TPlayer>(1 - before.Side);
    }
    keys.push_back(MakePositionKey(p.Board, p.Side));
    p.History = keys;
    p.Drawn = CountOccurrences(keys, keys.back()) >= 3 || static_cast<int>(keys.size()) - 1 >= FortyMoveRulePlies;
    generator.MakeMoveList(p.Board, p.Side, &legal);
    p.MoveCount = legal.NumMoves;
    if (legal.NumMoves > 0) std::copy(legal.Moves[0], legal.Moves[0] + MoveLength(legal.Moves[0]) + 1, p.Best.begin());
  }
}

void TGameAnalysis::SettleWithoutSearch() {
  while (!stopped_ && next_ < Positions()) {
    TPosition& p = positions_[static_cast<size_t>(next_)];
    const bool last = next_ + 1 == Positions();
    if (p.MoveCount == 0) {
      p.Score = p.Reached = LostNow;
      p.Best[0] = 0;
      Known(next_++);
    } else if (p.MoveCount == 1 && !last) {
      ++next_;  // its score is the next position's; Best holds its move
    } else {
      return;
    }
  }
}

bool TGameAnalysis::NextRequest(double seconds, TSearchRequest* request) {
  SettleWithoutSearch();
  if (stopped_ || next_ >= Positions()) return false;
  const TPosition& p = positions_[static_cast<size_t>(next_)];
  *request = TSearchRequest();
  std::copy(p.Board, p.Board + BoardSize, request->Board.begin());
  request->Side = p.Side;
  request->History = p.History;
  request->Limits = TSearchLimits::MoveTime(seconds);
  if (p.MoveCount == 1) {
    // The game's last position with one move: the position after it is searched.
    const int* move = p.Best.data();
    if (IsIrreversibleMove(move, p.Board)) request->History.clear();
    TMoveGenerator::MakeMove(move, request->Board.data());
    request->Side = static_cast<TPlayer>(1 - p.Side);
    request->History.push_back(MakePositionKey(request->Board.data(), request->Side));
    if (class TMoveGenerator generator; generator.NoMovesLeft(request->Board.data(), request->Side)) {
      // Nothing to search: the one move wins.
      TPosition& known = positions_[static_cast<size_t>(next_)];
      known.Score = known.Reached = -LostNow - 1;
      Known(next_++);
      return NextRequest(seconds, request);
    }
  }
  return true;
}

void TGameAnalysis::TakeResult(const TSearchResult& result) {
  if (stopped_ || next_ >= Positions()) return;
  // A stop before the first iteration leaves only the two-ply move: no score to trust.
  const bool usable = !result.Aborted || result.Depth > 0 || result.Source == TMoveSource::Database ||
                      result.Source == TMoveSource::OnlyMove;
  if (result.Aborted) stopped_ = true;
  if (!usable || result.Move[0] == 0) return;
  TPosition& p = positions_[static_cast<size_t>(next_)];
  if (p.MoveCount == 1) {
    p.Score = -result.Score;  // the search was of the position after the one move
    if (result.Source == TMoveSource::OnlyMove) p.Score = 0;
  } else {
    p.Score = result.Score;
    std::copy(result.Move.begin(), result.Move.end(), p.Best.begin());
  }
  p.Depth = result.Depth;
  p.Reached = p.Drawn ? 0 : p.Score;
  Known(next_++);
}

void TGameAnalysis::Known(int at) {
  positions_[static_cast<size_t>(at)].Known = true;
  // An only move is worth what the position after it is.
  for (int i = at - 1; i >= 0; --i) {
    TPosition& p = positions_[static_cast<size_t>(i)];
    if (p.Known || p.MoveCount != 1) break;
    p.Score = -positions_[static_cast<size_t>(i + 1)].Reached;
    p.Reached = p.Drawn ? 0 : p.Score;
    p.Known = true;
  }
  Conclude();
}

void TGameAnalysis::Conclude() {
  while (analysed_.size() < moves_.size()) {
    const size_t k = analysed_.size();
    const TPosition& before = positions_[k];
    const TPosition& after = positions_[k + 1];
    if (!before.Known || !after.Known) return;
    TMoveAnalysis a;
    a.Side = before.Side;
    a.Best = before.Score;
    a.BestMove = before.Best;
    a.Depth = before.Depth;
    const bool best = SameMove(moves_[k].data(), before.Best.data());
    if (after.Drawn) {
      // The rules end the game here, which the search of the move before may not have seen.
      a.Played = 0;
      if (best) a.Best = 0;
    } else {
      a.Played = best ? a.Best : -after.Reached;
    }
    a.Mark = best ? TMoveMark::None : MoveMarkFor(a.Best, a.Played);
    analysed_.push_back(a);
  }
}

void AnalyseGame(TGameAnalysis& analysis, TEngine& engine, double seconds, TSearchControl& control,
                 const std::function<void(const TGameAnalysis&)>& progress) {
  engine.NewGame();
  TSearchRequest request;
  while (analysis.NextRequest(seconds, &request)) {
    if (control.StopRequested()) {
      analysis.Stop();
      break;
    }
    analysis.TakeResult(engine.Search(std::move(request), control));
    if (progress) progress(analysis);
  }
}
