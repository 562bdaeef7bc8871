#include "tests/support/ListDialogDriving.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

namespace {

QDialog* OpenListDialog() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  return dialog && dialog->objectName() == QStringLiteral("listDialog") ? dialog : nullptr;
}

QTableView* OpenListTable() {
  QDialog* dialog = OpenListDialog();
  return dialog ? dialog->findChild<QTableView*>(QStringLiteral("rows")) : nullptr;
}

}  // namespace

bool TypeIntoListFilter(const std::string& text) {
  QDialog* dialog = OpenListDialog();
  auto* filter = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("filter")) : nullptr;
  if (!filter) return false;
  QTest::keyClicks(filter, QString::fromStdString(text));
  return true;
}

std::vector<std::string> ShownListRows() {
  std::vector<std::string> rows;
  QTableView* table = OpenListTable();
  if (!table) return rows;
  const QAbstractItemModel* model = table->model();
  for (int r = 0; r < model->rowCount(); ++r) rows.push_back(model->index(r, 0).data().toString().toStdString());
  return rows;
}

bool ListCellShownWhole(int row, int column) {
  QTableView* table = OpenListTable();
  if (!table) return false;
  const QModelIndex index = table->model()->index(row, column);
  if (!index.isValid()) return false;
  // What the table's own painter needs for the text, against the column's width.
  QStyleOptionViewItem option;
  option.initFrom(table);
  option.font = table->font();
  option.features |= QStyleOptionViewItem::HasDisplay;
  return table->itemDelegate()->sizeHint(option, index).width() <= table->columnWidth(column);
}

bool ListProgressShown() {
  QDialog* dialog = OpenListDialog();
  auto* progress = dialog ? dialog->findChild<QProgressBar*>(QStringLiteral("progress")) : nullptr;
  return progress && progress->isVisible();
}

TBitmap GrabListDialog() {
  QDialog* dialog = OpenListDialog();
  return dialog ? TBitmap(dialog->grab().toImage()) : TBitmap();
}
