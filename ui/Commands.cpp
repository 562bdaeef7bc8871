// The board window's menu commands and their enablers.
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/GameState.h"
#include "engine/MoveGenerator.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/StatusBar.h"
#include "game/Game.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "framework/Settings.h"
#include "ui/WindowSettings.h"
#include "ui/GameOver.h"
#include "ui/Levels.h"
#include "ui/Thinking.h"
#include "ui/VarekWindow.h"

namespace {

bool Thinking() { return GameStatus.Thinking; }

const char OpenFilter[] = "Checkers Games (*.vrk *.pdn)|*.vrk;*.pdn|Checkers Game (*.vrk)|*.vrk|PDN Games (*.pdn)|*.pdn|";

void ShowStatus(const char* text) {
  if (StatusBar) StatusBar->SetText(text);
}

void ShowMoveCount(const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, GameRecord.MoveCount);
  ShowStatus(text);
}

}  // namespace

// Game.
void TVarekWindow::CmFileNew() {
  if (Thinking() || !CanClose()) return;
  GameChanged = false;
  Untitled = true;
  GameStatus.SetupMode = false;
  TMoveGenerator::InitBoard(GameStatus.Board);
  GameStatus.SideToMove = Black;
  GameRecord.InitGame(GameStatus.Board, Black);
  GameStatus.SetPossibleStart();
  Invalidate(true);
  ShowStatus("clearing hash table...");
  ComputerEngine().NewGame();
  ShowStatus("new game");
}

// The file dialogs open only in the folder of the last game saved or opened:
// a name left from a failed save or open is offered without its folder, so
// that no dialog opens in a place where nothing could be done (a special
// folder that the dialog might hang reading).
void TVarekWindow::PrepareFileDialog() {
  const std::filesystem::path name(FileData->FileName);
  if (name.has_parent_path() && name.parent_path().string() != FileFolder)
    FileData->FileName = name.filename().string();
  FileData->InitialDir = FileFolder;
}

void TVarekWindow::RememberFileFolder() {
  FileFolder = std::filesystem::path(FileData->FileName).parent_path().string();
}

void TVarekWindow::CmFileOpen() {
  if (Thinking() || !CanClose()) return;
  // Open reads PDN games too; Save As writes saved games only.
  const std::string before = FileData->FileName;
  const std::string saveFilter = FileData->Filter;
  FileData->Filter = OpenFilter;
  PrepareFileDialog();
  const int answer = TFileOpenDialog(this, *FileData).Execute();
  FileData->Filter = saveFilter;
  if (answer == IDOK)
    OpenFile();
  else
    FileData->FileName = before;
}

void TVarekWindow::OpenFile() {
  if (IsPdnFileName(FileData->FileName)) {
    ImportPdn(FileData->FileName);
    return;
  }
  // A damaged file has been reported by the reader and left the record
  // without moves; the board then shows what the record still holds.
  switch (LoadGameFile(FileData->FileName, GameRecord)) {
    case TLoadResult::CannotOpen:
      MessageBox(this, "Unable to open file", "File Error", MB_OK | MB_ICONEXCLAMATION);
      break;
    case TLoadResult::Damaged:
      CmMovesRedoAll();
      ShowStatus("game not loaded");
      break;
    case TLoadResult::Loaded:
      CmMovesRedoAll();
      ShowMoveCount("game loaded ~ %d moves");
      RememberFileFolder();
      break;
  }
  GameChanged = false;
  Untitled = false;
  GameStatus.SetupMode = false;
  GameStatus.SetPossibleStart();
  Invalidate(true);
}

void TVarekWindow::CmFileSave() {
  if (Thinking()) return;
  if (Untitled) {
    CmFileSaveAs();
  } else {
    SaveFile();
  }
}

void TVarekWindow::CmFileSaveAs() {
  if (Thinking()) return;
  if (Untitled) FileData->FileName.clear();
  const std::string previous = FileData->FileName;
  PrepareFileDialog();
  // A name that was not chosen, or could not be written, is not the game's name.
  if (TFileSaveDialog(this, *FileData).Execute() != IDOK || !SaveFile()) FileData->FileName = previous;
}

bool TVarekWindow::SaveFile() {
  // The game goes to a new file beside the old one, which it replaces only
  // once all of it is written: a failed save leaves the old file as it was.
  if (!SaveGameFile(FileData->FileName, GameRecord)) {
    MessageBox(this, "Unable to save file", "File Error", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  ShowMoveCount("game saved ~ %d moves");
  GameChanged = false;
  Untitled = false;
  RememberFileFolder();
  return true;
}

bool TVarekWindow::CanClose() {
  // A running search is stopped for good (a stop asked for before it begins
  // is not lost), and the window waits while the computer finishes its move,
  // which is recorded; then the game, with that move, can be saved.
  if (Thinking()) StopThinkingMove();
  if (GameChanged) {
    switch (MessageBox(this, "Do you wish to save it?", "Game has changed", MB_YESNOCANCEL | MB_ICONQUESTION)) {
      case IDCANCEL: return false;
      case IDYES: CmFileSave(); break;  // whether it is saved or not, the caller goes on
      default: break;
    }
  }
  return true;
}

void TVarekWindow::CmFileExit() {
  // The same question as closing the window; the computer's thread, which
  // must not outlive the window it draws on, is stopped by it.
  if (!CanClose()) return;
  StopThinkingMove();
  if (TApplication* app = TApplication::Current()) app->PostQuitMessage(0);
}

// Moves. Each step replays the record from its start to the target and
// redraws only the squares that changed.

// How many moves Undo takes back. Against the computer that is its reply and
// the user's move before it, so that the user is to move again; when the
// user's own move ended the game, only that move. Two players, and the
// computer against itself, step one move at a time.
int TVarekWindow::UndoStep() const {
  if (GameStatus.PlayMode != 1) return 1;
  const bool usersTurn = UserSide < 0 || GameStatus.SideToMove == UserSide;
  return std::min(usersTurn ? 2 : 1, GameRecord.Position);
}

// Redo mirrors it: the user's move with the computer's reply, when there is one.
int TVarekWindow::RedoStep() const {
  return std::min(GameStatus.PlayMode == 1 ? 2 : 1, GameRecord.MoveCount - GameRecord.Position);
}

void TVarekWindow::Navigate(TNavigation step) {
  if (Thinking()) return;
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
  ShowStatus(text);
}

void TVarekWindow::CmMovesUndo() { Navigate(TNavigation::Undo); }
void TVarekWindow::CmMovesUndoAll() { Navigate(TNavigation::UndoAll); }
void TVarekWindow::CmMovesRedo() { Navigate(TNavigation::Redo); }
void TVarekWindow::CmMovesRedoAll() { Navigate(TNavigation::RedoAll); }

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

// Board. Setup position switches setup mode on and off; the other four edit
// the position while it is on. Whatever is on the board when setup mode is
// switched, and after every edit, is the start of a new, untitled game.
void TVarekWindow::CmBoardSetup() {
  if (Thinking()) return;
  if (!GameStatus.SetupMode && !CanClose()) return;  // a changed game can be saved first
  GameStatus.SetupMode = !GameStatus.SetupMode;
  SetCursor(nullptr, IDC_ARROW);
  GameStatus.DragState = 0;
  // The record restarts from the position shown, so that the moves played
  // after setup mode replay from where they were played (and a saved game
  // reads back), even when nothing was edited.
  GameRecord.InitGame(GameStatus.Board, static_cast<TPlayer>(GameStatus.SideToMove));
  ShowLastMove();
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

// Action.
void TVarekWindow::CmActionComputerGo() {
  if (Thinking()) return;
  GameStatus.SetupMode = false;
  StartThinkingMove();
}

void TVarekWindow::CmActionForceMove() {
  // Kept until the computer's run ends: a press before the search holds a move
  // stops it as soon as it has one, a press between two moves ends Auto Play.
  if (GameStatus.Thinking) ComputerControl.StopRequest = true;
}

// Options.
void TVarekWindow::SetLevel(int level) {
  GameStatus.TimeLimit = LevelTime(level);
  GameStatus.Level = level;
  TSettings().WriteInt(SettingLevel, level);
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
