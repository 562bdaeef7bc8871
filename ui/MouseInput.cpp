// The board window's mouse handling: moves by drag and drop (or a single
// press for a piece with one move) and square editing in setup mode.
#include <cstdio>

#include "engine/Metrics.h"
#include "framework/Resources.h"
#include "game/Game.h"
#include "resources/CommandIds.h"
#include "ui/GameOver.h"
#include "ui/Graphics.h"
#include "ui/VarekWindow.h"

namespace {

// What a click in setup mode puts on square `index`, by the code there now.
int SetupCode(int old, int index, bool left, int setupPiece) {
  const bool whiteCrowningRow = index >= 41 && index <= 44;
  const bool blackCrowningRow = index >= 10 && index <= 13;
  switch (old) {
    case BlackMan: return left ? BlackKing : (whiteCrowningRow ? BlackKing : WhiteMan);
    case BlackKing: return left ? (whiteCrowningRow ? WhiteKing : WhiteMan) : WhiteKing;
    case WhiteMan: return left ? WhiteKing : (blackCrowningRow ? WhiteKing : BlackMan);
    case WhiteKing: return left ? Empty : BlackKing;
    default: break;
  }
  if (setupPiece == WhiteKing || setupPiece == WhiteMan)
    return left ? (whiteCrowningRow ? WhiteKing : WhiteMan) : (whiteCrowningRow ? BlackMan : WhiteMan);
  return left ? (blackCrowningRow ? BlackKing : BlackMan) : (blackCrowningRow ? WhiteMan : BlackMan);
}

}  // namespace

void TVarekWindow::EditSquares(const TPoint& point, bool leftButton) {
  for (int i = FirstSquare; i <= LastSquare; ++i) {
    if (!IsPlayable(i) || !Graphics.IsInZone(point, i)) continue;
    const int old = GameStatus.Board[i];
    const int code = SetupCode(old, i, leftButton, GameStatus.SetupPiece);
    GameStatus.SetupPiece = code;
    Draw([&](TDC& dc) {
      if (old < Empty) Graphics.EraseSquare(dc, i);
      Graphics.DrawPiece(i, dc, code);
    });
    GameStatus.Board[i] = code;
    GameRecord.InitGame(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove));
  }
}

void TVarekWindow::PlayUserMove(const int* move) {
  char notation[8];
  char text[32];
  std::snprintf(text, sizeof text, "you played %s", TMetrics::MoveToStr(move, notation));
  ShowStatus(text);
  ClearHint();
  PlayMove(move, true);
}

void TVarekWindow::EvLButtonDown(unsigned, const TPoint& point) {
  if (Busy()) return;
  if (GameStatus.SetupMode) {
    EditSquares(point, true);
    return;
  }
  // A game lost on time takes no more moves.
  if (lostOnTime_ >= 0) {
    ShowStatus(GameOverOnTime());
    return;
  }
  int picked = 0;
  for (int k = 0; GameStatus.PossibleStart[k] != 0; ++k) {
    if (Graphics.IsInZone(point, GameStatus.PossibleStart[k])) {
      picked = GameStatus.PossibleStart[k];
      break;
    }
  }
  if (picked == 0) return;

  Draw([&](TDC& dc) { Graphics.EraseSquare(dc, picked); });
  GameStatus.DragState = TDragState::Dragging;
  GameStatus.SetPossibleMoves(picked);
  if (GameStatus.NumPossibleMoves == 1) {
    SetCursor(nullptr, IDC_ARROW);
    GameStatus.DragState = TDragState::None;
    PlayUserMove(GameStatus.PossibleMoves.Moves[0]);
    return;
  }
  const bool king = IsKing(GameStatus.Board[picked]);
  const bool blackToMove = GameStatus.SideToMove == Black;
  SetCursor(&GetModule(), king ? (blackToMove ? CursorId::BlackKing : CursorId::WhiteKing)
                               : (blackToMove ? CursorId::BlackMan : CursorId::WhiteMan));
  SetCapture();
}

void TVarekWindow::EvMouseMove(unsigned, const TPoint& point) {
  if (Busy() || GameStatus.SetupMode || GameStatus.DragState == TDragState::Dragging) return;
  bool overMovable = false;
  for (int k = 0; GameStatus.PossibleStart[k] != 0 && !overMovable; ++k)
    overMovable = Graphics.IsInZone(point, GameStatus.PossibleStart[k]);
  if (overMovable && GameStatus.DragState != TDragState::OverMovable) {
    GameStatus.DragState = TDragState::OverMovable;
    SetCursor(&GetModule(), CursorId::Hand);
  } else if (!overMovable && GameStatus.DragState == TDragState::OverMovable) {
    SetCursor(nullptr, IDC_ARROW);
    GameStatus.DragState = TDragState::None;
  }
}

void TVarekWindow::EvLButtonUp(unsigned, const TPoint& point) {
  if (Busy() || GameStatus.DragState != TDragState::Dragging) return;
  ReleaseCapture();
  GameStatus.DragState = TDragState::None;
  SetCursor(nullptr, IDC_ARROW);
  for (int k = 0; k < GameStatus.NumPossibleMoves; ++k) {
    const int* move = GameStatus.PossibleMoves.Moves[k];
    if (Graphics.IsInZone(point, MoveDestination(move))) {
      PlayUserMove(move);
      return;
    }
  }
  // Refused: the piece goes back to its square.
  const int picked = GameStatus.PossibleMoves.Moves[0][0];
  Draw([&](TDC& dc) { Graphics.DrawPiece(picked, dc, GameStatus.Board[picked]); });
  if (GameStatus.Sound && !Graphics.IsInZone(point, picked)) MessageBeep(MB_ICONHAND);
}

void TVarekWindow::CancelDrag() {
  if (GameStatus.DragState != TDragState::Dragging) return;
  ReleaseCapture();
  GameStatus.DragState = TDragState::None;
  SetCursor(nullptr, IDC_ARROW);
  const int picked = GameStatus.PossibleMoves.Moves[0][0];
  Draw([&](TDC& dc) { Graphics.DrawPiece(picked, dc, GameStatus.Board[picked]); });
}

void TVarekWindow::EvRButtonDown(unsigned, const TPoint& point) {
  if (Busy() || !GameStatus.SetupMode) return;
  EditSquares(point, false);
}

// The second press of a double click arrives as a double click.
void TVarekWindow::EvLButtonDblClk(unsigned modKeys, const TPoint& point) { EvLButtonDown(modKeys, point); }
void TVarekWindow::EvRButtonDblClk(unsigned modKeys, const TPoint& point) { EvRButtonDown(modKeys, point); }
