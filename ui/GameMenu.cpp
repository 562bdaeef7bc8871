// The board window's Game menu: New, Open, Save, Save as and Exit, the
// question about a changed game asked before any of them drops it, and the
// file named on the command line.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/MoveGenerator.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "game/Game.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "ui/VarekWindow.h"

namespace {

const char OpenFilter[] = "Checkers Games (*.vrk *.pdn)|*.vrk;*.pdn|Checkers Game (*.vrk)|*.vrk|PDN Games (*.pdn)|*.pdn|";

}  // namespace

void TVarekWindow::ShowMoveCount(const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, GameRecord.MoveCount);
  ShowStatus(text);
}

void TVarekWindow::CmFileNew() {
  if (Busy() || !CanClose()) return;
  GameChanged = false;
  Untitled = true;
  GameStatus.SetupMode = false;
  TMoveGenerator::InitBoard(GameStatus.Board);
  GameStatus.SideToMove = Black;
  GameRecord.InitGame(GameStatus.Board, Black);
  GameStatus.SetPossibleStart();
  ForgetLastGame();
  Invalidate(true);
  ShowStatus("clearing hash table...");
  computer_.Engine().NewGame();
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
  if (Busy() || !CanClose()) return;
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
  const TLoadResult result = LoadGameFile(FileData->FileName, GameRecord);
  if (result != TLoadResult::CannotOpen) ForgetLastGame();
  switch (result) {
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
  if (Busy()) return;
  if (Untitled) {
    CmFileSaveAs();
  } else {
    SaveFile();
  }
}

void TVarekWindow::CmFileSaveAs() {
  if (Busy()) return;
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
  // is not lost) and the computer's move is played at once and recorded, as
  // is a move being shown; then the game, with that move, can be saved.
  if (Busy()) StopThinkingMove();
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
  // The same question as closing the window, which settles what the computer
  // is doing first.
  if (!CanClose()) return;
  if (TApplication* app = TApplication::Current()) app->PostQuitMessage(0);
}

void TVarekWindow::OpenStartFile(const std::string& path) {
  // Named on the command line, not chosen in a dialog: a file that cannot
  // be opened is named too.
  std::error_code failed;
  if (!std::filesystem::is_regular_file(path, failed) || !std::ifstream(path).is_open()) {
    const std::string text = "Unable to open file\n" + path;
    MessageBox(this, text.c_str(), "File Error", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  FileData->FileName = path;
  OpenFile();
}

void TVarekWindow::CeNotThinking(TCommandEnabler& ce) { ce.Enable(!Busy()); }
