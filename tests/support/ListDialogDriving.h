// Driving the list dialog from tests while it is open (call from CallLater):
// typing into its filter box, reading the rows it shows, a picture.
#pragma once

#include <string>
#include <vector>

#include "framework/Bitmap.h"

// Types `text` into the open list dialog's filter box; false when none is open.
bool TypeIntoListFilter(const std::string& text);
// The first cell of every row the open list dialog shows now.
std::vector<std::string> ShownListRows();
// Whether the open list dialog shows the whole text of a cell (row among
// those shown): its column is as wide as the cell needs.
bool ListCellShownWhole(int row, int column);
// Whether the open list dialog shows its progress bar (rows are still coming).
bool ListProgressShown();
// What the open list dialog looks like.
TBitmap GrabListDialog();
