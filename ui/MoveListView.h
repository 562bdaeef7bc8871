// How the move list beside the board shows the game record: the moves
// numbered in pairs, Black's first, in standard notation, the current move
// marked, and the result of the record's last position below them.
#pragma once

#include <string>
#include <vector>

#include "framework/MoveListPanel.h"
#include "game/Game.h"

struct TMoveListContents {
  std::vector<TMoveListPanel::TRow> Rows;
  int CurrentRow = -1, CurrentColumn = -1;  // the move that led to the record's position; -1 at the start
  std::string Note;                         // "Black wins", "draw by repetition", ...; "" without moves
  bool operator==(const TMoveListContents&) const;
};

// `marks`: the marks of the first moves ("?", "??", ...), put after them.
TMoveListContents MoveListContents(const Game& record, const std::vector<std::string>& marks = {});

// The cell of move n (from 1) and the move of a cell (0 when the cell holds none).
void CellOfMove(const Game& record, int n, int* row, int* column);
int MoveOfCell(const Game& record, int row, int column);
