// The board window's PDN commands (Import PDN, Export PDN) and the move list
// beside the board.
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "engine/GameState.h"
#include "framework/ListDialog.h"
#include "framework/MoveListPanel.h"
#include "framework/StatusBar.h"
#include "game/DrawRules.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "ui/GameOver.h"
#include "ui/MoveListView.h"
#include "ui/WindowSettings.h"
#include "framework/Settings.h"
#include "ui/VarekWindow.h"

namespace {

void ShowStatus(const std::string& text) {
  if (StatusBar) StatusBar->SetText(text.c_str());
}

// Today as PDN writes dates: 2026.12.08.
std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y.%m.%d", &local);
  return text;
}

void FileError(TWindow* owner, const char* text) { MessageBox(owner, text, "File Error", MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

void TVarekWindow::CmFileImportPdn() {
  if (GameStatus.Thinking || !CanClose()) return;
  PdnData.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (TFileOpenDialog(this, PdnData).Execute() == IDOK) ImportPdn(PdnData.FileName);
}

bool TVarekWindow::ImportPdn(const std::string& path) {
  TPdnCollection collection;
  std::string error;
  if (!ReadPdnFile(path, &collection, &error)) {
    FileError(this, "Unable to open file");
    return false;
  }
  if (collection.Games.empty()) {
    std::string text = "The file holds no game that can be read.";
    for (size_t i = 0; i < collection.Refused.size() && i < 3; ++i) text += "\n" + collection.Refused[i].Reason;
    MessageBox(this, text.c_str(), "Information", MB_OK | MB_ICONASTERISK);
    return false;
  }
  size_t chosen = 0;
  if (collection.Games.size() + collection.Refused.size() > 1) {
    TListDialogData list;
    list.Caption = "Import PDN";
    list.Prompt = "&Type to find a game (players, event, date...):";
    if (!collection.Refused.empty())
      list.Prompt += " " + std::to_string(collection.Refused.size()) + " damaged game(s) of the file are not listed.";
    list.Columns = {"No.", "Black", "White", "Event", "Date", "Result", "Moves"};
    for (size_t g = 0; g < collection.Games.size(); ++g) {
      const TPdnGame& game = collection.Games[g];
      list.Rows.push_back({std::to_string(collection.Numbers[g]), game.Black, game.White, game.Event, game.Date,
                           game.Result, std::to_string(game.Moves.size())});
    }
    if (TListDialog(this, list).Execute() != IDOK || list.Chosen < 0) return false;
    chosen = static_cast<size_t>(list.Chosen);
  }
  LoadImported(collection.Games[chosen]);
  return true;
}

void TVarekWindow::LoadImported(const TPdnGame& game) {
  PdnToRecord(game, GameRecord);
  TPlayer side = static_cast<TPlayer>(GameRecord.StartSide);
  GameRecord.GoTo(GameRecord.MoveCount, GameStatus.Board, &side);
  GameStatus.SideToMove = side;
  GameStatus.SetupMode = false;
  GameStatus.SetPossibleStart();
  // Not a saved game of ours: Save asks for a name.
  GameChanged = false;
  Untitled = true;
  UserSide = Black;
  Invalidate(true);
  char text[64];
  std::snprintf(text, sizeof text, "game imported ~ %d moves", GameRecord.MoveCount);
  ShowStatus(text);
}

void TVarekWindow::CmFileExportPdn() {
  if (GameStatus.Thinking) return;
  PdnData.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (TFileSaveDialog(this, PdnData).Execute() != IDOK) return;
  TPdnGame game;
  std::string error;
  if (!RecordToPdn(GameRecord, &game, &error)) {
    FileError(this, "Unable to save file");
    return;
  }
  game.Event = "Varek 99 game";
  game.Date = Today();
  switch (GameStatus.PlayMode) {
    case 2: game.Black = game.White = "Player"; break;
    case 0: game.Black = game.White = "Computer"; break;
    default:
      game.Black = UserSide == Black ? "You" : "Computer";
      game.White = UserSide == White ? "You" : "Computer";
      break;
  }
  // The text goes to a new file that replaces the old one only when complete.
  if (!SaveTextFile(PdnData.FileName, WritePdn(game))) {
    FileError(this, "Unable to save file");
    return;
  }
  char text[64];
  std::snprintf(text, sizeof text, "game exported ~ %d moves", GameRecord.MoveCount);
  ShowStatus(text);
}

void TVarekWindow::OpenStartFile(const std::string& path) {
  FileData->FileName = path;
  OpenFile();
}

// The move list.
void TVarekWindow::SetMoveListPanel(std::unique_ptr<TMoveListPanel> panel) {
  moveList_ = std::move(panel);
  shownMoves_.reset();
  if (moveList_)
    moveList_->SetClickHandler([this](int row, int column) {
      if (const int n = MoveOfCell(GameRecord, row, column); n > 0) ShowPosition(n);
      SyncMoveList();
    });
  SyncMoveList();
}

void TVarekWindow::SyncMoveList() {
  if (!moveList_) return;
  TMoveListContents now = MoveListContents(GameRecord);
  if (shownMoves_ && *shownMoves_ == now) return;
  if (!shownMoves_ || !(shownMoves_->Rows.size() == now.Rows.size() &&
                        std::equal(now.Rows.begin(), now.Rows.end(), shownMoves_->Rows.begin(),
                                   [](const auto& a, const auto& b) { return a.First == b.First && a.Second == b.Second; })))
    moveList_->SetRows(now.Rows);
  moveList_->SetCurrent(now.CurrentRow, now.CurrentColumn);
  moveList_->SetNote(now.Note);
  shownMoves_ = std::make_unique<TMoveListContents>(std::move(now));
}

bool TVarekWindow::NoticeDraw() {
  const TDraw draw = NewDraw(GameRecord, GameRecord.Position);
  if (draw == TDraw::None) return false;
  AnnounceGameOver(DrawText(draw));
  return true;
}

void TVarekWindow::ShowPosition(int n) {
  if (GameStatus.Thinking || GameStatus.SetupMode || n < 0 || n > GameRecord.MoveCount) return;
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
  ShowStatus(text);
}

void TVarekWindow::CmViewMoveList() {
  if (!moveList_) return;
  moveList_->SetVisible(!moveList_->IsVisible());
  TSettings().WriteBool(SettingMoveList, moveList_->IsVisible());
}

// The enabling pass runs after every command and whenever the event loop is
// idle, so the list follows every change of the record from here.
void TVarekWindow::CeViewMoveList(TCommandEnabler& ce) {
  SyncMoveList();
  ce.SetCheck(moveList_ && moveList_->IsVisible() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void TVarekWindow::CeActionHint(TCommandEnabler& ce) { ce.Enable(!GameStatus.Thinking && !GameStatus.SetupMode); }
