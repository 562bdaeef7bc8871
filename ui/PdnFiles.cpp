// The board window's PDN commands: Import PDN, with the list of a
// collection's games to choose from, and Export PDN.
#include "analysis/AnalysisPdn.h"
#include "framework/ListDialog.h"
#include "game/GameFile.h"
#include "game/Pdn.h"
#include "ui/VarekWindow.h"

namespace {

void FileError(TWindow* owner, const char* text) { MessageBox(owner, text, "File Error", MB_OK | MB_ICONEXCLAMATION); }

}  // namespace

void TVarekWindow::CmFileImportPdn() {
  if (Busy() || !CanClose()) return;
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
  // An analysis the game's comments hold (an exported one of ours) is shown again.
  ClearAnalysis();
  ResetClocks();
  analysis_ = AnalysisOfGame(game);
  analysedMoves_.assign(game.Moves.begin(), game.Moves.begin() + static_cast<long>(analysis_.size()));
  std::copy(game.StartBoard, game.StartBoard + BoardSize, analysedStart_);
  analysedSide_ = game.StartSide;
  SyncMoveList();
  Invalidate(true);
  ShowMoveCount("game imported ~ %d moves");
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
  game.Event = "Varek 99 game";
  game.Date = PdnToday();
  // The analysis shown, as marks and comments; the clocks' control; a loss on time.
  SyncAnalysis();
  AnnotateGame(analysis_, &game);
  if (clock_.Control().Timed()) game.OtherTags.push_back({"TimeControl", clock_.Control().PdnTag()});
  if (lostOnTime_ >= 0) game.Result = lostOnTime_ == White ? "1-0" : "0-1";
  switch (GameStatus.PlayMode) {
    case TPlayMode::TwoPlayer: game.Black = game.White = "Player"; break;
    case TPlayMode::AutoPlay: game.Black = game.White = "Computer"; break;
    case TPlayMode::NormalPlay:
      game.Black = UserSide == Black ? "You" : "Computer";
      game.White = UserSide == White ? "You" : "Computer";
      break;
  }
  // The text goes to a new file that replaces the old one only when complete.
  if (!SaveTextFile(PdnData.FileName, WritePdn(game))) {
    FileError(this, "Unable to save file");
    return;
  }
  ShowMoveCount("game exported ~ %d moves");
}
