// The board window's analysis of the game: Analyse Game searches every
// position of the record on the computer's thread, one request at a time,
// with a bar of its progress; the analysis shown (the marks in the move list,
// the score graph under it, the best move framed on the board and the scores
// on the status bar as the moves are stepped through) lasts while the record
// holds the moves it was made of.
#include <algorithm>
#include <cstdio>

#include "analysis/AnalysisPdn.h"
#include "framework/Dialogs.h"
#include "framework/ScoreGraph.h"
#include "framework/StatusBar.h"
#include "ui/Progress.h"
#include "game/Pdn.h"
#include "ui/VarekWindow.h"

namespace {

// The frame of the analysis's best move; the hint's is yellow.
const TColor BestMoveColour(80, 215, 110);

std::vector<std::vector<int>> RecordMoves(const Game& record) {
  std::vector<std::vector<int>> moves;
  for (const GameNode* node = record.Head->Next; node != nullptr; node = node->Next)
    moves.emplace_back(node->Move, node->Move + MoveLength(node->Move) + 1);
  return moves;
}

// "2 ??, 1 ?, 3 ?!", or "no mistakes".
std::string MarkCounts(const std::vector<TMoveAnalysis>& analysis) {
  int counts[4] = {};
  for (const TMoveAnalysis& a : analysis) ++counts[static_cast<int>(a.Mark)];
  if (counts[1] + counts[2] + counts[3] == 0) return "no mistakes";
  std::string text;
  for (int mark = 3; mark >= 1; --mark) {
    if (counts[mark] == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(counts[mark]) + " " + MoveMarkText(static_cast<TMoveMark>(mark));
  }
  return text;
}

int WhiteView(const TMoveAnalysis& a, int score) { return a.Side == White ? score : -score; }

}  // namespace

void TVarekWindow::CmMovesAnalyseGame() {
  if (Busy() || GameStatus.SetupMode) return;
  if (GameRecord.MoveCount == 0) {
    ShowStatus("no moves to analyse");
    return;
  }
  ClearAnalysis();
  analysedMoves_ = RecordMoves(GameRecord);
  std::copy(GameRecord.StartBoard, GameRecord.StartBoard + BoardSize, analysedStart_);
  analysedSide_ = GameRecord.StartSide;
  analysing_ = std::make_unique<TGameAnalysis>(analysedStart_, static_cast<TPlayer>(analysedSide_), analysedMoves_);
  // The player is not playing meanwhile: the clocks wait.
  clockPaused_ = clock_.Running();
  clock_.Stop(ClockTime());
  computer_.Control.StopRequest = false;
  computer_.Engine().NewGame();
  ShowStatus("analysing the game...");
  if (!NextAnalysisSearch()) FinishAnalysis();
}

bool TVarekWindow::NextAnalysisSearch() {
  TSearchRequest request;
  if (!analysing_ || !analysing_->NextRequest(AnalysisSeconds, &request)) return false;
  if (!StartRequest(TRun::Analysis, std::move(request))) {
    analysing_->Stop();
    return false;
  }
  if (StatusBar()) StatusBar()->SetProgress(analysing_->PositionsDone(), analysing_->Positions());
  return true;
}

void TVarekWindow::AnalysisDone(const TSearchResult& result) {
  GameStatus.Thinking = false;
  run_ = TRun::None;
  analysing_->TakeResult(result);
  // Force Move or Esc, or the window closing: what is done is kept.
  if (closing_ || computer_.Control.StopRequested()) analysing_->Stop();
  analysis_ = analysing_->Moves();
  SyncMoveList();
  Invalidate(true);
  if (!NextAnalysisSearch()) FinishAnalysis();
}

void TVarekWindow::FinishAnalysis() {
  const bool complete = analysing_ && analysing_->Complete();
  analysing_.reset();
  progress_.Clear();  // the last position's search figures are no longer of interest
  GameStatus.Thinking = false;
  run_ = TRun::None;
  if (StatusBar()) StatusBar()->SetProgress(0, 0);
  if (clockPaused_) ClockFollowsPosition();
  clockPaused_ = false;
  char text[160];
  if (complete)
    std::snprintf(text, sizeof text, "analysis of %zu moves: %s", analysis_.size(), MarkCounts(analysis_).c_str());
  else
    std::snprintf(text, sizeof text, "analysis stopped after %zu of %zu moves: %s", analysis_.size(),
                  analysedMoves_.size(), MarkCounts(analysis_).c_str());
  ShowStatus(text);
  SyncMoveList();
  Invalidate(true);
}

void TVarekWindow::ClearAnalysis() {
  const bool shown = !analysis_.empty();
  analysis_.clear();
  analysedMoves_.clear();
  if (scoreGraph_) scoreGraph_->SetValues({}, 0);
  if (shown) Invalidate(true);
}

void TVarekWindow::SyncAnalysis() {
  if (!analysing_ && !analysis_.empty()) {
    // The part of the analysis whose moves the record still holds.
    size_t kept = 0;
    const bool sameStart = analysedSide_ == GameRecord.StartSide &&
                           std::equal(analysedStart_, analysedStart_ + BoardSize, GameRecord.StartBoard);
    if (sameStart) {
      const GameNode* node = GameRecord.Head->Next;
      for (; kept < analysis_.size() && node != nullptr; ++kept, node = node->Next) {
        const std::vector<int>& move = analysedMoves_[kept];
        if (!std::equal(move.begin(), move.end(), node->Move)) break;
      }
    }
    if (kept == 0) {
      ClearAnalysis();
    } else if (kept < analysis_.size()) {
      analysis_.resize(kept);
      analysedMoves_.resize(kept);
      Invalidate(true);
    }
  }
  if (!scoreGraph_) return;
  std::vector<TScoreGraph::TValue> values;
  for (const TMoveAnalysis& a : analysis_) values.push_back({a.WhiteScore(), static_cast<int>(a.Mark)});
  scoreGraph_->SetValues(std::move(values), std::max(GameRecord.MoveCount, static_cast<int>(analysedMoves_.size())));
  scoreGraph_->SetCurrent(GameRecord.Position);
}

void TVarekWindow::SetScoreGraph(std::unique_ptr<TScoreGraph> graph) {
  scoreGraph_ = std::move(graph);
  if (scoreGraph_)
    scoreGraph_->SetClickHandler([this](int move) {
      ShowPosition(move);
      SyncMoveList();
    });
  SyncAnalysis();
}

std::string TVarekWindow::AnalysisNote(int n) const {
  if (n < 1 || n > static_cast<int>(analysis_.size())) return "";
  const TMoveAnalysis& a = analysis_[static_cast<size_t>(n - 1)];
  const std::vector<std::vector<int>> moves(analysedMoves_.begin(), analysedMoves_.begin() + n);
  std::vector<std::vector<int>> best = moves;
  best.back().assign(a.BestMove.begin(), a.BestMove.begin() + MoveLength(a.BestMove.data()) + 1);
  const std::string played = MoveNotations(analysedStart_, static_cast<TPlayer>(analysedSide_), moves).back();
  std::string text = played + MoveMarkText(a.Mark) + " " + WhiteScoreText(a.WhiteScore());
  if (best.back() != moves.back())
    text += ", best " + MoveNotations(analysedStart_, static_cast<TPlayer>(analysedSide_), best).back() + " " +
            WhiteScoreText(WhiteView(a, a.Best));
  return text;
}

void TVarekWindow::ShowAnalysedPosition(const std::string& text, int n) {
  const std::string note = AnalysisNote(n);
  ShowStatus(note.empty() ? text : text + ": " + note);
  // A step through the record redraws only the squares that changed: the
  // best move's frame goes with the position.
  if (!analysis_.empty()) Invalidate(true);
}

void TVarekWindow::DrawAnalysisBest(TDC& dc) {
  // The best move of the position shown, when the analysis holds the move played from it.
  const size_t at = static_cast<size_t>(GameRecord.Position);
  if (GameStatus.SetupMode || at >= analysis_.size() || analysis_[at].BestMove[0] == 0) return;
  DrawMoveFrame(dc, analysis_[at].BestMove.data(), BestMoveColour);
}

void TVarekWindow::CeMovesAnalyseGame(TCommandEnabler& ce) {
  ce.Enable(!Busy() && !GameStatus.SetupMode && GameRecord.MoveCount > 0);
}
