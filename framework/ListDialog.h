// TListDialog: a modal dialog that lists rows of texts under column titles,
// with a box above them: typing there keeps only the rows that contain the
// typed text (in any column, ignoring case). Ok or a double click chooses the
// marked row. Shown through the desktop (framework/Dialogs.h), so that tests
// can answer it.
#pragma once

#include <string>
#include <vector>

class TWindow;

struct TListDialogData {
  std::string Caption;
  std::string Prompt;  // the label of the filter box
  std::vector<std::string> Columns;
  std::vector<std::vector<std::string>> Rows;
  int Chosen = -1;  // the chosen row's index in Rows, after IDOK
};

class TListDialog {
 public:
  TListDialog(TWindow* parent, TListDialogData& data) : parent_(parent), data_(data) {}
  int Execute();  // IDOK with data.Chosen set, or IDCANCEL

 private:
  TWindow* parent_;
  TListDialogData& data_;
};

// The real dialog, which the desktop shows.
int RunQtListDialog(TWindow* owner, TListDialogData& data);
// The rows a filter text keeps: those with the text in any cell, ignoring case.
bool RowMatchesFilter(const std::vector<std::string>& row, const std::string& filter);
