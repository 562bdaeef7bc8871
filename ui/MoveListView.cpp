#include "ui/MoveListView.h"

#include <algorithm>

#include "engine/MoveGenerator.h"
#include "framework/Settings.h"
#include "game/DrawRules.h"
#include "game/Pdn.h"
#include "ui/VarekWindow.h"
#include "ui/WindowSettings.h"

namespace {

// A game set up with White to move leaves the first cell empty.
int Offset(const Game& record) { return record.StartSide == White ? 1 : 0; }

}  // namespace

bool TMoveListContents::operator==(const TMoveListContents& other) const {
  auto same = [](const TMoveListPanel::TRow& a, const TMoveListPanel::TRow& b) {
    return a.Number == b.Number && a.First == b.First && a.Second == b.Second;
  };
  return CurrentRow == other.CurrentRow && CurrentColumn == other.CurrentColumn && Note == other.Note &&
         std::equal(Rows.begin(), Rows.end(), other.Rows.begin(), other.Rows.end(), same);
}

void CellOfMove(const Game& record, int n, int* row, int* column) {
  if (n < 1) {
    *row = *column = -1;
    return;
  }
  const int cell = n - 1 + Offset(record);
  *row = cell / 2;
  *column = cell % 2;
}

int MoveOfCell(const Game& record, int row, int column) {
  const int n = row * 2 + column - Offset(record) + 1;
  return n >= 1 && n <= record.MoveCount ? n : 0;
}

TMoveListContents MoveListContents(const Game& record, const std::vector<std::string>& marks) {
  TMoveListContents contents;
  std::vector<std::vector<int>> moves;
  int board[BoardSize];
  std::copy(record.StartBoard, record.StartBoard + BoardSize, board);
  for (const GameNode* node = record.Head->Next; node != nullptr; node = node->Next) {
    moves.emplace_back(node->Move, node->Move + MoveLength(node->Move) + 1);
    TMoveGenerator::MakeMove(node->Move, board);
  }
  const std::vector<std::string> names =
      MoveNotations(record.StartBoard, static_cast<TPlayer>(record.StartSide), moves);
  for (int n = 1; n <= static_cast<int>(names.size()); ++n) {
    int row = 0, column = 0;
    CellOfMove(record, n, &row, &column);
    if (row == static_cast<int>(contents.Rows.size())) contents.Rows.push_back({row + 1, "", ""});
    (column == 0 ? contents.Rows[row].First : contents.Rows[row].Second) =
        names[n - 1] + (n <= static_cast<int>(marks.size()) ? marks[n - 1] : "");
  }
  CellOfMove(record, record.Position, &contents.CurrentRow, &contents.CurrentColumn);

  // The end of the record: a side without a move has lost; otherwise a draw,
  // if any. A position set up, or a new game, has no moves to stand under.
  if (record.MoveCount == 0) return contents;
  const auto last = static_cast<TPlayer>((record.StartSide + record.MoveCount) % 2);
  class TMoveGenerator generator;
  if (generator.NoMovesLeft(board, last))
    contents.Note = last == Black ? "White wins" : "Black wins";
  else
    contents.Note = DrawText(FindDraw(record, record.MoveCount));
  return contents;
}


// The move list beside the board.
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
  SyncAnalysis();
  if (!moveList_) return;
  std::vector<std::string> marks;
  for (const TMoveAnalysis& a : analysis_) marks.push_back(MoveMarkText(a.Mark));
  TMoveListContents now = MoveListContents(GameRecord, marks);
  if (lostOnTime_ >= 0) now.Note = GameOverOnTime();
  if (shownMoves_ && *shownMoves_ == now) return;
  if (!shownMoves_ || !(shownMoves_->Rows.size() == now.Rows.size() &&
                        std::equal(now.Rows.begin(), now.Rows.end(), shownMoves_->Rows.begin(),
                                   [](const auto& a, const auto& b) { return a.First == b.First && a.Second == b.Second; })))
    moveList_->SetRows(now.Rows);
  moveList_->SetCurrent(now.CurrentRow, now.CurrentColumn);
  moveList_->SetNote(now.Note);
  shownMoves_ = std::make_unique<TMoveListContents>(std::move(now));
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
