#include "framework/ListDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "framework/Dialogs.h"
#include "framework/Internal.h"
#include "framework/UiThread.h"
#include "framework/Window.h"

bool RowMatchesFilter(const std::vector<std::string>& row, const std::string& filter) {
  if (filter.empty()) return true;
  const QString wanted = ToQString(filter.c_str());
  for (const std::string& cell : row)
    if (ToQString(cell.c_str()).contains(wanted, Qt::CaseInsensitive)) return true;
  return false;
}

int TListDialog::Execute() {
  RequireUiThread("TListDialog");
  data_.Chosen = -1;
  return GetDesktop().RunListDialog(parent_, data_);
}

int RunQtListDialog(TWindow* owner, TListDialogData& data) {
  QWidget* parent = owner && owner->GetHandle() ? owner->GetHandle()->window() : nullptr;
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("listDialog"));
  dialog.setWindowTitle(ToQString(data.Caption.c_str()));
  auto* layout = new QVBoxLayout(&dialog);
  auto* prompt = new QLabel(ToQString(data.Prompt.c_str()), &dialog);
  auto* filter = new QLineEdit(&dialog);
  filter->setObjectName(QStringLiteral("filter"));
  filter->setClearButtonEnabled(true);
  prompt->setBuddy(filter);
  auto* table = new QTableWidget(static_cast<int>(data.Rows.size()), static_cast<int>(data.Columns.size()), &dialog);
  table->setObjectName(QStringLiteral("rows"));
  QStringList titles;
  for (const std::string& title : data.Columns) titles << ToQString(title.c_str());
  table->setHorizontalHeaderLabels(titles);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setWordWrap(false);
  for (size_t r = 0; r < data.Rows.size(); ++r)
    for (size_t c = 0; c < data.Rows[r].size() && c < data.Columns.size(); ++c)
      table->setItem(static_cast<int>(r), static_cast<int>(c), new QTableWidgetItem(ToQString(data.Rows[r][c].c_str())));
  table->resizeColumnsToContents();
  table->horizontalHeader()->setStretchLastSection(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(prompt);
  layout->addWidget(filter);
  layout->addWidget(table);
  layout->addWidget(buttons);
  dialog.resize(760, 440);

  // The first row still shown is marked, so that Enter after typing takes it.
  auto markFirstShown = [table, ok] {
    int first = -1;
    for (int r = 0; r < table->rowCount() && first < 0; ++r)
      if (!table->isRowHidden(r)) first = r;
    if (first >= 0) table->selectRow(first);
    else table->clearSelection();
    ok->setEnabled(first >= 0);
  };
  QObject::connect(filter, &QLineEdit::textChanged, &dialog, [&data, table, markFirstShown](const QString& text) {
    const std::string wanted = text.toStdString();
    for (int r = 0; r < table->rowCount(); ++r) table->setRowHidden(r, !RowMatchesFilter(data.Rows[r], wanted));
    markFirstShown();
  });
  QObject::connect(table, &QTableWidget::itemSelectionChanged, &dialog,
                   [table, ok] { ok->setEnabled(!table->selectedItems().isEmpty()); });
  QObject::connect(table, &QTableWidget::cellDoubleClicked, &dialog, [&dialog] { dialog.accept(); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  markFirstShown();
  filter->setFocus();

  if (dialog.exec() != QDialog::Accepted || table->selectedItems().isEmpty()) return IDCANCEL;
  data.Chosen = table->currentRow();
  return IDOK;
}
