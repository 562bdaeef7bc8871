// The board window's menu commands and their enablers.
#include "engine/GameState.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/StatusBar.h"
#include "game/Game.h"
#include "ui/Thinking.h"
#include "ui/VarekWindow.h"

namespace {

// Seconds handed to the search by the Level menu's items, Easy to Infinite.
constexpr int LevelTimes[8] = {0, 1, 2, 5, 10, 15, 30, 36000000};

bool Thinking() { return GameStatus.Thinking; }

}  // namespace

// Game. New, Open, Save and Save As arrive with the game files.
void TVarekWindow::CmFileNew() {}
void TVarekWindow::CmFileOpen() {}
void TVarekWindow::CmFileSave() {}
void TVarekWindow::CmFileSaveAs() {}

void TVarekWindow::CmFileExit() {
  // The computer's thread must not outlive the window it draws on.
  StopThinkingMove();
  if (TApplication* app = TApplication::Current()) app->PostQuitMessage(0);
}

// Moves. Stepping through the game arrives with the game files.
void TVarekWindow::CmMovesUndo() {}
void TVarekWindow::CmMovesUndoAll() {}
void TVarekWindow::CmMovesRedo() {}
void TVarekWindow::CmMovesRedoAll() {}

void TVarekWindow::CmMovesNormalPlay() {
  if (Thinking()) return;
  GameStatus.SetupMode = false;
  GameStatus.SetPossibleStart();
  GameStatus.PlayMode = 1;
}

void TVarekWindow::CmMovesTwoPlayer() {
  if (Thinking()) return;
  GameStatus.SetupMode = false;
  GameStatus.SetPossibleStart();
  GameStatus.PlayMode = 2;
}

void TVarekWindow::CmMovesAutoPlay() {
  if (Thinking()) return;
  GameStatus.SetupMode = false;
  GameStatus.PlayMode = 0;
  StartThinkingMove();
}

// Board. The setup commands arrive with setup mode.
void TVarekWindow::CmBoardSetup() {}
void TVarekWindow::CmBoardStarting() {}
void TVarekWindow::CmBoardClear() {}
void TVarekWindow::CmBoardBTurn() {}
void TVarekWindow::CmBoardWTurn() {}

// Action.
void TVarekWindow::CmActionComputerGo() {
  if (Thinking()) return;
  GameStatus.SetupMode = false;
  StartThinkingMove();
}

void TVarekWindow::CmActionForceMove() {
  if (GameStatus.Thinking && GameStatus.MoveAvailable) GameStatus.StopSearch = true;
}

// Options.
void TVarekWindow::SetLevel(int level) {
  GameStatus.TimeLimit = LevelTimes[level];
  GameStatus.Level = level;
}
void TVarekWindow::CmOptionsLevel0() { SetLevel(0); }
void TVarekWindow::CmOptionsLevel1() { SetLevel(1); }
void TVarekWindow::CmOptionsLevel2() { SetLevel(2); }
void TVarekWindow::CmOptionsLevel3() { SetLevel(3); }
void TVarekWindow::CmOptionsLevel4() { SetLevel(4); }
void TVarekWindow::CmOptionsLevel5() { SetLevel(5); }
void TVarekWindow::CmOptionsLevel6() { SetLevel(6); }
void TVarekWindow::CmOptionsLevel7() { SetLevel(7); }

void TVarekWindow::CmOptionsSound() {
  GameStatus.Sound = !GameStatus.Sound;
  if (StatusBar) StatusBar->SetText(GameStatus.Sound ? "sound enabled" : "sound disabled");
}

void TVarekWindow::CmAbout() { TDialog(this, 1001).Execute(); }

// Enablers.
void TVarekWindow::CeNotThinking(TCommandEnabler& ce) { ce.Enable(!Thinking()); }
void TVarekWindow::CeThinking(TCommandEnabler& ce) { ce.Enable(Thinking()); }

void TVarekWindow::CeMovesUndo(TCommandEnabler& ce) { ce.Enable(!Thinking() && GameRecord.Position > 0); }
void TVarekWindow::CeMovesRedo(TCommandEnabler& ce) {
  ce.Enable(!Thinking() && GameRecord.Position < GameRecord.MoveCount);
}

void TVarekWindow::CeMovesNormalPlay(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.PlayMode == 1 ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Thinking());
}
void TVarekWindow::CeMovesTwoPlayer(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.PlayMode == 2 ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Thinking());
}
void TVarekWindow::CeMovesAutoPlay(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.PlayMode == 0 ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Thinking());
}

void TVarekWindow::CeBoardSetup(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.SetupMode ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
  ce.Enable(!Thinking());
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

void TVarekWindow::CeLevel(TCommandEnabler& ce, int level) {
  ce.Enable(!Thinking());
  ce.SetCheck(GameStatus.Level == level ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}
void TVarekWindow::CeOptionsLevel0(TCommandEnabler& ce) { CeLevel(ce, 0); }
void TVarekWindow::CeOptionsLevel1(TCommandEnabler& ce) { CeLevel(ce, 1); }
void TVarekWindow::CeOptionsLevel2(TCommandEnabler& ce) { CeLevel(ce, 2); }
void TVarekWindow::CeOptionsLevel3(TCommandEnabler& ce) { CeLevel(ce, 3); }
void TVarekWindow::CeOptionsLevel4(TCommandEnabler& ce) { CeLevel(ce, 4); }
void TVarekWindow::CeOptionsLevel5(TCommandEnabler& ce) { CeLevel(ce, 5); }
void TVarekWindow::CeOptionsLevel6(TCommandEnabler& ce) { CeLevel(ce, 6); }
void TVarekWindow::CeOptionsLevel7(TCommandEnabler& ce) { CeLevel(ce, 7); }

void TVarekWindow::CeOptionsSound(TCommandEnabler& ce) {
  ce.SetCheck(GameStatus.Sound ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}
