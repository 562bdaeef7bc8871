#include "ui/GameOver.h"

#include "engine/Board.h"
#include "engine/MoveGenerator.h"
#include "framework/Dialogs.h"
#include "game/DrawRules.h"
#include "game/Game.h"
#include "ui/VarekWindow.h"

namespace {
const char* const NoPieces = "no pieces on the board";
}

const char* GameOverText(const int* board, int side) {
  if (!TMoveGenerator.NoMovesLeft(board, static_cast<TPlayer>(side))) return nullptr;
  bool pieces = false;
  for (int i = FirstSquare; i <= LastSquare && !pieces; ++i) pieces = IsPlayable(i) && board[i] < Empty;
  // A side that cannot move has lost, but on an empty board nobody has won.
  if (!pieces) return NoPieces;
  return side == Black ? "White wins" : "Black wins";
}

void TVarekWindow::AnnounceGameOver(const char* text) {
  ShowStatus(text);
  // Not while the program closes: the window is going.
  if (text != NoPieces && !closing_) MessageBox(this, text, "Varek", MB_OK | MB_ICONASTERISK);
}

bool TVarekWindow::NoticeDraw() {
  const TDraw draw = NewDraw(GameRecord, GameRecord.Position);
  if (draw == TDraw::None) return false;
  AnnounceGameOver(DrawText(draw));
  return true;
}
