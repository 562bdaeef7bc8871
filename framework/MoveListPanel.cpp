#include "framework/MoveListPanel.h"

#include <algorithm>

#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QTableWidget>
#include <QVBoxLayout>

#include "framework/Frame.h"
#include "framework/Internal.h"
#include "framework/UiThread.h"

TMoveListPanel::TMoveListPanel(TDecoratedFrame& frame, const char* title, const char* firstColumn,
                               const char* secondColumn) {
  RequireUiThread("TMoveListPanel");
  QMainWindow* main = frame.GetHandle();
  dock_ = new QDockWidget(ToQString(title), main);
  dock_->setObjectName(QStringLiteral("moveList"));
  // Shown and hidden by the program's own command only.
  dock_->setFeatures(QDockWidget::NoDockWidgetFeatures);
  auto* content = new QWidget(dock_);
  auto* layout = new QVBoxLayout(content);
  layout->setContentsMargins(2, 2, 2, 2);
  table_ = new QTableWidget(0, 2, content);
  table_->setHorizontalHeaderLabels({ToQString(firstColumn), ToQString(secondColumn)});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectItems);
  table_->setFocusPolicy(Qt::NoFocus);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->setMinimumWidth(table_->fontMetrics().horizontalAdvance(QStringLiteral("000. 00x00x00 00x00x00")));
  note_ = new QLabel(content);
  note_->setWordWrap(true);
  note_->setAlignment(Qt::AlignCenter);
  note_->hide();
  layout->addWidget(table_);
  layout->addWidget(note_);
  layout_ = layout;
  dock_->setWidget(content);
  main->addDockWidget(Qt::RightDockWidgetArea, dock_);
  QObject::connect(table_, &QTableWidget::cellClicked, table_, [this](int row, int column) {
    if (onClick_) onClick_(row, column);
  });
}

TMoveListPanel::~TMoveListPanel() = default;  // the frame's window owns the widgets

void TMoveListPanel::SetRows(const std::vector<TRow>& rows) {
  rows_ = rows;
  table_->setRowCount(static_cast<int>(rows.size()));
  QStringList numbers;
  for (size_t r = 0; r < rows.size(); ++r) {
    numbers << QString::number(rows[r].Number) + QLatin1Char('.');
    const std::string* cells[2] = {&rows[r].First, &rows[r].Second};
    for (int c = 0; c < 2; ++c) {
      auto* item = new QTableWidgetItem(ToQString(cells[c]->c_str()));
      if (cells[c]->empty()) item->setFlags(Qt::NoItemFlags);  // nothing to click
      table_->setItem(static_cast<int>(r), c, item);
    }
  }
  table_->setVerticalHeaderLabels(numbers);
}

void TMoveListPanel::SetCurrent(int row, int column) {
  if (row < 0 || row >= table_->rowCount()) {
    table_->clearSelection();
    table_->setCurrentCell(-1, -1);
    table_->scrollToTop();  // the start of the game, before its first move
    return;
  }
  table_->setCurrentCell(row, column);
  if (QTableWidgetItem* item = table_->item(row, column)) table_->scrollToItem(item);
}

void TMoveListPanel::SetNote(const std::string& note) {
  note_->setText(ToQString(note.c_str()));
  note_->setVisible(!note.empty());
}

void TMoveListPanel::SetClickHandler(std::function<void(int, int)> handler) { onClick_ = std::move(handler); }

void TMoveListPanel::SetVisible(bool visible) {
  visible_ = visible;
  dock_->setVisible(visible);
}

bool TMoveListPanel::IsVisible() const { return visible_; }

void TMoveListPanel::AddBelow(QWidget* widget) { layout_->addWidget(widget); }

std::vector<std::string> TMoveListPanel::ShownRows() const {
  std::vector<std::string> shown;
  for (int r = 0; r < table_->rowCount(); ++r) {
    std::string line = table_->verticalHeaderItem(r)->text().toStdString();
    for (int c = 0; c < 2; ++c) {
      const std::string cell = table_->item(r, c)->text().toStdString();
      if (!cell.empty()) line += " " + cell;
      else if (c == 0) line += " ...";
    }
    shown.push_back(line);
  }
  return shown;
}

int TMoveListPanel::CurrentRow() const { return table_->selectedItems().isEmpty() ? -1 : table_->currentRow(); }
int TMoveListPanel::CurrentColumn() const {
  return table_->selectedItems().isEmpty() ? -1 : table_->currentColumn();
}
int TMoveListPanel::TopRow() const { return std::max(0, table_->rowAt(0)); }
std::string TMoveListPanel::Note() const { return note_->text().toStdString(); }

void TMoveListPanel::Click(int row, int column) {
  QTableWidgetItem* item = table_->item(row, column);
  if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
  table_->setCurrentCell(row, column);
  if (onClick_) onClick_(row, column);
}
