// TListDialog: a modal dialog that lists rows of texts under column titles,
// with a box above them: typing there keeps only the rows that contain the
// typed text (in any column, ignoring case). Ok or a double click chooses the
// marked row. The rows may still be coming in while it is open (read by
// another thread): they are listed as they come, with a progress bar. Shown
// through the desktop (framework/Dialogs.h), so that tests can answer it.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TWindow;

// Rows a list dialog shows. The dialog asks on the UI thread, as it paints and
// every tenth of a second while the rows are incomplete.
class TListRows {
 public:
  virtual ~TListRows() = default;
  virtual int Count() = 0;  // the rows there are now; earlier ones never change
  virtual std::string Cell(int row, int column) = 0;
  virtual bool Complete() = 0;  // no more rows will come
  virtual double Progress() { return 1; }  // how far the rows have come, 0 to 1
  virtual std::string Status() { return std::string(); }  // a line below the rows ("" none)
};

struct TListDialogData {
  std::string Caption;
  std::string Prompt;  // the label of the filter box
  std::vector<std::string> Columns;
  std::vector<std::vector<std::string>> Rows;  // the rows, unless Source gives them
  std::shared_ptr<TListRows> Source;
  int Chosen = -1;  // the chosen row's index (in Rows, or in Source's order), after IDOK
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
