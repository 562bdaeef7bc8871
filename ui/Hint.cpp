// Hint: the computer player thinks for the side to move, on the computer's
// thread as for its own moves, and the squares of the move it would play are
// marked on the board until the next command or move. The record is not touched.
#include <cstdio>

#include "engine/GameState.h"
#include "engine/Metrics.h"
#include "engine/MoveGenerator.h"
#include "ui/Graphics.h"
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

void TVarekWindow::ShowHint(const int* move, const char* info) {
  Status_Of_The_Game::CopyMove(hint_, move);
  char notation[8], text[192];
  std::snprintf(text, sizeof text, "hint: %s (%s)", TMetrics::MoveToStr(move, notation), info);
  ShowStatus(text);
  Invalidate(true);
}

void TVarekWindow::ClearHint() {
  if (hint_[0] == 0) return;
  hint_[0] = 0;
  Invalidate(true);
}

void TVarekWindow::DrawHint(TDC& dc) {
  if (hint_[0] == 0) return;
  // A frame inside each square the piece starts from, lands on or ends on.
  const int length = MoveLength(hint_);
  std::vector<int> squares{hint_[0]};
  if (length == 2) squares.push_back(hint_[1]);
  for (int k = 2; k < length; k += 2) squares.push_back(hint_[k]);
  const int width = std::max(2, Graphics.SquareSize / 14);
  dc.SelectObject(TPen(TColor(255, 220, 0), width));
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
