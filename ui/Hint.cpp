// Hint: the computer player thinks for the side to move, on the computer's
// thread as for its own moves, at the level's time; the squares of the move
// it would play are marked on the board until the next command or move, and
// the status bar names its best three moves with their scores. The record is
// not touched.
#include <algorithm>

#include "analysis/AnalysisPdn.h"
#include "engine/GameState.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "ui/Graphics.h"
#include "ui/Progress.h"
#include "ui/VarekWindow.h"

void TVarekWindow::CmActionHint() {
  if (Busy() || GameStatus.SetupMode) return;
  ClearHint();
  class TMoveGenerator generator;
  if (generator.NoMovesLeft(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove))) {
    ShowStatus("no move to suggest");
    return;
  }
  // The level and the positions since the last capture or man move, as for
  // the computer's own moves.
  computer_.Control.StopRequest = false;
  if (StartSearch(TRun::Hint)) ShowStatus("thinking of a hint...");
}

void TVarekWindow::ShowHint(const int* move, const char* info, const std::string& lines) {
  Status_Of_The_Game::CopyMove(hint_, move);
  // As the computer's own result: the move and its score in the message
  // area, the search's figures in their field beside it; the best lines, when
  // the search had them, in place of the one move.
  progress_.HintResult(info);
  if (!lines.empty()) ShowStatus(lines);
  Invalidate(true);
}

void TVarekWindow::HintLine(const TComputerLine& line) {
  if (run_ != TRun::Hint) return;
  // A new iteration's lines replace the last one's as they come.
  if (line.Line == 1) hintLines_.clear();
  if (line.Line == static_cast<int>(hintLines_.size()) + 1) hintLines_.push_back(line);
}

std::string TVarekWindow::HintLinesText(const TSearchResult& result) const {
  char notation[8];
  // The best lines of the last iteration, with their scores for the side to move.
  const int length = MoveLength(result.Move.data());
  if (!hintLines_.empty() && length > 0 && MoveLength(hintLines_[0].Move.data()) == length &&
      std::equal(result.Move.begin(), result.Move.begin() + length, hintLines_[0].Move.begin())) {
    std::string text = "hint:";
    for (const TComputerLine& line : hintLines_)
      text += std::string(line.Line > 1 ? "," : "") + " " + TMetrics::MoveToStr(line.Move.data(), notation) + " " +
              SideScoreText(line.Score);
    return text;
  }
  // An only move, one from the database or the book, or a stop before the first iteration.
  return "";
}

void TVarekWindow::ClearHint() {
  if (hint_[0] == 0) return;
  hint_[0] = 0;
  Invalidate(true);
}

void TVarekWindow::DrawHint(TDC& dc) {
  if (hint_[0] != 0) DrawMoveFrame(dc, hint_, TColor(255, 220, 0));
}

void TVarekWindow::DrawMoveFrame(TDC& dc, const int* move, TColor colour) {
  const int length = MoveLength(move);
  std::vector<int> squares{move[0]};
  if (length == 2) squares.push_back(move[1]);
  for (int k = 2; k < length; k += 2) squares.push_back(move[k]);
  const int width = std::max(2, Graphics.SquareSize / 14);
  dc.SelectObject(TPen(colour, width));
  for (int square : squares) {
    const int inset = width / 2 + 1;
    const int left = Graphics.SquareX[square] + inset, top = Graphics.SquareY[square] + inset;
    const int right = Graphics.SquareX[square] + Graphics.SquareSize - inset,
              bottom = Graphics.SquareY[square] + Graphics.SquareSize - inset;
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
  }
  dc.RestorePen();
}

void TVarekWindow::CeActionHint(TCommandEnabler& ce) { ce.Enable(!Busy() && !GameStatus.SetupMode); }
