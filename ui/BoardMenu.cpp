// The board window's Board menu: Invert Board, Square Numbers, and setup mode
// with the edits it allows.
#include "engine/MoveGenerator.h"
#include "framework/Settings.h"
#include "game/Game.h"
#include "ui/Graphics.h"
#include "ui/VarekWindow.h"
#include "ui/WindowSettings.h"

void TVarekWindow::CmBoardInvertBoard() {
  GameStatus.Inverted = !GameStatus.Inverted;
  TSettings().WriteBool(SettingInverted, GameStatus.Inverted);
  Invalidate(true);
}

void TVarekWindow::CmBoardSquareNumbers() {
  Graphics.ShowNumbers = !Graphics.ShowNumbers;
  TSettings().WriteBool(SettingSquareNumbers, Graphics.ShowNumbers);
  Invalidate(true);
}

void TVarekWindow::CeBoardSquareNumbers(TCommandEnabler& ce) {
  ce.SetCheck(Graphics.ShowNumbers ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

// Setup position switches setup mode on and off; the other four edit
// the position while it is on. Whatever is on the board when setup mode is
// switched, and after every edit, is the start of a new, untitled game.
void TVarekWindow::CmBoardSetup() {
  if (Busy()) return;
  if (!GameStatus.SetupMode && !CanClose()) return;  // a changed game can be saved first
  GameStatus.SetupMode = !GameStatus.SetupMode;
  SetCursor(nullptr, IDC_ARROW);
  GameStatus.DragState = TDragState::None;
  // The record restarts from the position shown, so that the moves played
  // after setup mode replay from where they were played (and a saved game
  // reads back), even when nothing was edited.
  GameRecord.InitGame(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove));
  ShowLastMove();
  ForgetLastGame();
  GameChanged = false;
  Untitled = true;
  if (!GameStatus.SetupMode) GameStatus.SetPossibleStart();
}

void TVarekWindow::CmBoardStarting() {
  if (!GameStatus.SetupMode) return;
  TMoveGenerator::InitBoard(GameStatus.Board);
  GameStatus.SideToMove = Black;
  GameRecord.InitGame(GameStatus.Board, Black);
  Invalidate(true);
}

void TVarekWindow::CmBoardClear() {
  if (!GameStatus.SetupMode) return;
  for (int i = FirstSquare; i <= LastSquare; ++i)
    if (GameStatus.Board[i] < Empty) GameStatus.Board[i] = Empty;
  GameRecord.InitGame(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove));
  Invalidate(true);
}

void TVarekWindow::SetSideToMove(int side) {
  if (!GameStatus.SetupMode) return;
  GameStatus.SideToMove = side;
  GameRecord.InitGame(GameStatus.Board, static_cast<TPlayer>(side));
}

void TVarekWindow::CmBoardBTurn() { SetSideToMove(Black); }
void TVarekWindow::CmBoardWTurn() { SetSideToMove(White); }

void TVarekWindow::CeBoardSetup(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.SetupMode ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Busy());
}
void TVarekWindow::CeBoardStarting(TCommandEnabler& ce) { ce.Enable(GameStatus.SetupMode); }
void TVarekWindow::CeBoardClear(TCommandEnabler& ce) { ce.Enable(GameStatus.SetupMode); }
void TVarekWindow::CeBoardBTurn(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.SideToMove == Black ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(GameStatus.SetupMode);
}
void TVarekWindow::CeBoardWTurn(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.SideToMove == White ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(GameStatus.SetupMode);
}
