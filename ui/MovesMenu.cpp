// The board window's Moves menu: stepping through the record (undo, redo and
// a move chosen in the move list or the score graph) and the play modes. (Analyse
// Game is in ui/Analysis.cpp.)
#include <algorithm>
#include <cstdio>

#include "game/Game.h"
#include "ui/VarekWindow.h"

// Each step replays the record from its start to the target and
// redraws only the squares that changed.

// How many moves Undo takes back. Against the computer that is its reply and
// the user's move before it, so that the user is to move again; when the
// user's own move ended the game, only that move. Two players, and the
// computer against itself, step one move at a time.
int TVarekWindow::UndoStep() const {
  if (GameStatus.PlayMode != TPlayMode::NormalPlay) return 1;
  const bool usersTurn = UserSide < 0 || GameStatus.SideToMove == UserSide;
  return std::min(usersTurn ? 2 : 1, GameRecord.Position);
}

// Redo mirrors it: the user's move with the computer's reply, when there is one.
int TVarekWindow::RedoStep() const {
  return std::min(GameStatus.PlayMode == TPlayMode::NormalPlay ? 2 : 1, GameRecord.MoveCount - GameRecord.Position);
}

void TVarekWindow::Navigate(TNavigation step) {
  if (Busy()) return;
  int previous[BoardSize];
  std::copy(GameStatus.Board, GameStatus.Board + BoardSize, previous);
  TPlayer side = static_cast<TPlayer>(GameStatus.SideToMove);
  const char* text = "";
  switch (step) {
    case TNavigation::Undo:
      GameRecord.TakeBack(UndoStep(), GameStatus.Board, &side);
      text = "undo";
      break;
    case TNavigation::UndoAll:
      GameRecord.TakeBack(GameRecord.Position, GameStatus.Board, &side);
      text = "undo all";
      break;
    case TNavigation::Redo:
      GameRecord.Forward(RedoStep(), GameStatus.Board, &side);
      text = "redo";
      break;
    case TNavigation::RedoAll:
      GameRecord.Forward(GameRecord.MoveCount - GameRecord.Position, GameStatus.Board, &side);
      text = "redo all";
      break;
  }
  GameStatus.SideToMove = side;
  UpdateBoard(previous);
  ShowLastMove();
  GameStatus.SetPossibleStart();
  ShowAnalysedPosition(text, GameRecord.Position);
  ClockFollowsPosition();
}

void TVarekWindow::CmMovesUndo() { Navigate(TNavigation::Undo); }
void TVarekWindow::CmMovesUndoAll() { Navigate(TNavigation::UndoAll); }
void TVarekWindow::CmMovesRedo() { Navigate(TNavigation::Redo); }
void TVarekWindow::CmMovesRedoAll() { Navigate(TNavigation::RedoAll); }

void TVarekWindow::CmMovesNormalPlay() {
  if (Busy()) return;
  GameStatus.SetupMode = false;
  GameStatus.SetPossibleStart();
  GameStatus.PlayMode = TPlayMode::NormalPlay;
}

void TVarekWindow::CmMovesTwoPlayer() {
  if (Busy()) return;
  GameStatus.SetupMode = false;
  GameStatus.SetPossibleStart();
  GameStatus.PlayMode = TPlayMode::TwoPlayer;
}

void TVarekWindow::CmMovesAutoPlay() {
  if (Busy()) return;
  GameStatus.SetupMode = false;
  GameStatus.PlayMode = TPlayMode::AutoPlay;
  StartThinkingMove();
}

void TVarekWindow::ShowPosition(int n) {
  if (Busy() || GameStatus.SetupMode || n < 0 || n > GameRecord.MoveCount) return;
  int previous[BoardSize];
  std::copy(GameStatus.Board, GameStatus.Board + BoardSize, previous);
  TPlayer side = static_cast<TPlayer>(GameStatus.SideToMove);
  GameRecord.GoTo(n, GameStatus.Board, &side);
  GameStatus.SideToMove = side;
  UpdateBoard(previous);
  ShowLastMove();
  GameStatus.SetPossibleStart();
  char text[32];
  std::snprintf(text, sizeof text, "move %d", n);
  ShowAnalysedPosition(text, n);
  ClockFollowsPosition();
}

void TVarekWindow::CeMovesUndo(TCommandEnabler& ce) { ce.Enable(!Busy() && GameRecord.Position > 0); }
void TVarekWindow::CeMovesRedo(TCommandEnabler& ce) {
  ce.Enable(!Busy() && GameRecord.Position < GameRecord.MoveCount);
}

void TVarekWindow::CeMovesNormalPlay(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.PlayMode == TPlayMode::NormalPlay ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Busy());
}
void TVarekWindow::CeMovesTwoPlayer(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.PlayMode == TPlayMode::TwoPlayer ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Busy());
}
void TVarekWindow::CeMovesAutoPlay(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.PlayMode == TPlayMode::AutoPlay ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Busy());
}
