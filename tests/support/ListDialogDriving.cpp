#include "tests/support/ListDialogDriving.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

namespace {

QDialog* OpenListDialog() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  return dialog && dialog->objectName() == QStringLiteral("listDialog") ? dialog : nullptr;
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
  QDialog* dialog = OpenListDialog();
  auto* table = dialog ? dialog->findChild<QTableWidget*>(QStringLiteral("rows")) : nullptr;
  if (!table) return rows;
  for (int r = 0; r < table->rowCount(); ++r)
    if (!table->isRowHidden(r) && table->item(r, 0)) rows.push_back(table->item(r, 0)->text().toStdString());
  return rows;
}

TBitmap GrabListDialog() {
  QDialog* dialog = OpenListDialog();
  return dialog ? TBitmap(dialog->grab().toImage()) : TBitmap();
}
