// The board window's PDN commands: Import PDN, with the list of a
// collection's games to choose from, and Export PDN, which writes a game
// imported and not changed since with the tags it came with, and the
// analysis shown as marks and comments.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "analysis/AnalysisPdn.h"
#include "engine/GameState.h"
#include "framework/ListDialog.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "game/PdnIndex.h"
#include "ui/ImportList.h"
#include "ui/Progress.h"
#include "ui/VarekWindow.h"

namespace {

void FileError(TWindow* owner, const char* text) { MessageBox(owner, text, "File Error", MB_OK | MB_ICONEXCLAMATION); }

// Gives the memory freed back to the system, where the C library keeps it otherwise.
void ReleaseFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace

void TVarekWindow::CmFileImportPdn() {
  if (Busy() || !CanClose()) return;
  PdnData.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (TFileOpenDialog(this, PdnData).Execute() == IDOK) ImportPdn(PdnData.FileName);
}

bool TVarekWindow::ImportPdn(const std::string& path) {
  // The file is indexed on a thread of its own. A small one is read before
  // anything is shown, so that a file of one game opens without a list; a
  // big one is listed as it is read, and the window keeps answering.
  auto games = std::make_shared<TImportList>(path);
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  if (unknown || size < ListWhileReadingFrom) games->WaitUntilRead();
  const bool opened = ImportFrom(games);
  // The list's memory goes back to the system with it.
  games.reset();
  ReleaseFreedMemory();
  return opened;
}

bool TVarekWindow::ImportFrom(const std::shared_ptr<TImportList>& games) {
  if (games->Complete()) {
    if (!games->Readable()) {
      FileError(this, "Unable to open file");
      return false;
    }
    const TPdnIndex& index = games->Index();
    std::string text = "The file holds no game that can be read.";
    if (index.Size() == 0) {
      for (size_t i = 0; i < index.Refused().size() && i < 3; ++i) text += "\n" + index.Refused()[i].Reason;
      MessageBox(this, text.c_str(), "Information", MB_OK | MB_ICONASTERISK);
      return false;
    }
    if (index.Total() == 1) {  // one game, and nothing to choose
      TPdnGame game;
      std::string reason;
      if (!index.ReadGame(0, &game, &reason)) {
        text += "\n" + reason;
        MessageBox(this, text.c_str(), "Information", MB_OK | MB_ICONASTERISK);
        return false;
      }
      LoadImported(game);
      return true;
    }
  }
  TListDialogData list;
  list.Caption = "Import PDN";
  list.Prompt = "&Type to find a game (players, event, date...):";
  list.Columns = {"No.", "Black", "White", "Event", "Date", "Result", "Moves"};
  list.Source = games;
  // A game whose moves turn out damaged is not opened; the list comes back.
  while (TListDialog(this, list).Execute() == IDOK && list.Chosen >= 0) {
    TPdnGame game;
    std::string reason;
    if (games->Index().ReadGame(static_cast<size_t>(list.Chosen), &game, &reason)) {
      LoadImported(game);
      return true;
    }
    MessageBox(this, reason.c_str(), "Information", MB_OK | MB_ICONASTERISK);
  }
  return false;
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
  imported_ = std::make_shared<const TPdnGame>(game);
  // An analysis the game's comments hold (an exported one of ours) is shown again.
  ClearAnalysis();
  ResetClocks();
  analysis_ = AnalysisOfGame(game);
  analysedMoves_.assign(game.Moves.begin(), game.Moves.begin() + static_cast<long>(analysis_.size()));
  std::copy(game.StartBoard, game.StartBoard + BoardSize, analysedStart_);
  analysedSide_ = game.StartSide;
  SyncMoveList();
  Invalidate(true);
  progress_.Clear();
  ShowNumberedMoves("game imported ~ %d moves");
}

// Moves as PDN numbers them, in pairs.
void TVarekWindow::ShowNumberedMoves(const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, NumberedMoves(GameRecord.MoveCount, static_cast<TPlayer>(GameRecord.StartSide)));
  ShowStatus(text);
}

void TVarekWindow::CmFileExportPdn() {
  if (Busy()) return;
  PdnData.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (TFileSaveDialog(this, PdnData).Execute() != IDOK) return;
  TPdnGame game;
  std::string error;
  if (!RecordToPdn(GameRecord, &game, &error)) {
    FileError(this, "Unable to save file");
    return;
  }
  if (imported_ && imported_->StartSide == game.StartSide && imported_->Moves == game.Moves &&
      std::equal(game.StartBoard, game.StartBoard + BoardSize, imported_->StartBoard)) {
    // The game as it came from a file keeps what the file said of it.
    game = *imported_;
  } else {
    game.Event = "Varek 99 game";
    game.Date = PdnToday();
    switch (GameStatus.PlayMode) {
      case TPlayMode::TwoPlayer: game.Black = game.White = "Player"; break;
      case TPlayMode::AutoPlay: game.Black = game.White = "Computer"; break;
      case TPlayMode::NormalPlay:
        game.Black = UserSide == Black ? "You" : "Computer";
        game.White = UserSide == White ? "You" : "Computer";
        break;
    }
  }
  // The analysis shown, as marks and comments; the clocks' control; a loss on time.
  SyncAnalysis();
  AnnotateGame(analysis_, &game);
  const bool hasControl = std::any_of(game.OtherTags.begin(), game.OtherTags.end(),
                                      [](const TPdnGame::TTag& tag) { return tag.Name == "TimeControl"; });
  if (clock_.Control().Timed() && !hasControl) game.OtherTags.push_back({"TimeControl", clock_.Control().PdnTag()});
  if (lostOnTime_ >= 0) game.Result = lostOnTime_ == White ? "1-0" : "0-1";
  // The text goes to a new file that replaces the old one only when complete.
  if (!SaveTextFile(PdnData.FileName, WritePdn(game))) {
    FileError(this, "Unable to save file");
    return;
  }
  ShowNumberedMoves("game exported ~ %d moves");
}
