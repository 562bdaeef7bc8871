// TMoveListPanel: a panel docked at the right of the frame that lists a game's
// moves in numbered rows of two cells, marks the current cell, takes clicks on
// cells, and shows a closing note (such as the result) below the list.
#pragma once

#include <functional>
#include <string>
#include <vector>

class QDockWidget;
class QLabel;
class QTableWidget;
class QVBoxLayout;
class QWidget;
class TDecoratedFrame;

class TMoveListPanel {
 public:
  // One numbered row: its number and the moves in its two cells ("" for none).
  struct TRow {
    int Number = 0;
    std::string First, Second;
  };

  // Docks itself in `frame`, shown, with the given column titles.
  TMoveListPanel(TDecoratedFrame& frame, const char* title, const char* firstColumn, const char* secondColumn);
  ~TMoveListPanel();
  TMoveListPanel(const TMoveListPanel&) = delete;
  TMoveListPanel& operator=(const TMoveListPanel&) = delete;

  void SetRows(const std::vector<TRow>& rows);
  // Marks one cell (column 0 or 1) and scrolls it into view; a row of -1
  // marks none and scrolls back to the top.
  void SetCurrent(int row, int column);
  void SetNote(const std::string& note);
  // Called with the row and column of a cell the user clicked.
  void SetClickHandler(std::function<void(int row, int column)> handler);

  void SetVisible(bool visible);
  bool IsVisible() const;
  // Puts another of the window layer's widgets under the list and its note;
  // the panel owns it from then on.
  void AddBelow(QWidget* widget);

  // What the panel shows, for tests: rows as "12. 11-15 23-19", the marked cell and the note.
  std::vector<std::string> ShownRows() const;
  int CurrentRow() const;
  // The first row shown at the top of the list now.
  int TopRow() const;
  int CurrentColumn() const;
  std::string Note() const;
  // A click on a cell, as the mouse would give it.
  void Click(int row, int column);

 private:
  QDockWidget* dock_;
  QTableWidget* table_;
  QLabel* note_;
  QVBoxLayout* layout_;
  std::vector<TRow> rows_;
  std::function<void(int, int)> onClick_;
  bool visible_ = true;
};
