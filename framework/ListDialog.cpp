#include "framework/ListDialog.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "framework/Dialogs.h"
#include "framework/Internal.h"
#include "framework/UiThread.h"
#include "framework/Window.h"

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool IsAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// A filter text. Long lists are filtered on every key, so plain ASCII (most
// names and dates) is compared byte by byte; the toolkit folds the rest.
class TFilter {
 public:
  TFilter() = default;
  explicit TFilter(const std::string& text) : wanted_(FromUtf8(text)), ascii_(IsAscii(text)) {
    if (ascii_) std::transform(text.begin(), text.end(), std::back_inserter(folded_), Folded);
  }
  bool Empty() const { return wanted_.isEmpty(); }
  bool Matches(const std::string& cell) const {
    if (Empty()) return true;
    if (ascii_ && IsAscii(cell))
      return std::search(cell.begin(), cell.end(), folded_.begin(), folded_.end(),
                         [](char a, char b) { return Folded(a) == b; }) != cell.end();
    return FromUtf8(cell).contains(wanted_, Qt::CaseInsensitive);
  }
  // Every row this filter keeps, `earlier` kept too.
  bool Narrows(const TFilter& earlier) const { return wanted_.contains(earlier.wanted_, Qt::CaseInsensitive); }

 private:
  QString wanted_;
  bool ascii_ = true;
  std::string folded_;
};

bool Keeps(const std::vector<std::string>& cells, const TFilter& filter) {
  return std::any_of(cells.begin(), cells.end(), [&](const std::string& cell) { return filter.Matches(cell); });
}

class TFixedRows : public TListRows {
 public:
  explicit TFixedRows(const std::vector<std::vector<std::string>>& rows) : rows_(rows) {}
  int Count() override { return static_cast<int>(rows_.size()); }
  std::string Cell(int row, int column) override {
    const auto& cells = rows_[static_cast<size_t>(row)];
    return column < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(column)] : std::string();
  }
  bool Complete() override { return true; }

 private:
  const std::vector<std::vector<std::string>>& rows_;
};

// The rows the filter keeps, as the table shows them. Only their numbers are
// held here: the texts are asked for as the table paints them.
class TRowsModel : public QAbstractTableModel {
 public:
  TRowsModel(TListRows& rows, const std::vector<std::string>& columns, QObject* parent)
      : QAbstractTableModel(parent), rows_(rows), columns_(columns), longest_(columns.size()) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return QVariant();
    return FromUtf8(rows_.Cell(shown_[static_cast<size_t>(index.row())], index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return QVariant();
    return FromUtf8(columns_[static_cast<size_t>(section)]);
  }

  // Lists the rows that have come since the last call, those the filter keeps.
  void TakeNewRows() {
    const int count = rows_.Count();
    std::vector<int> kept;
    for (; seen_ < count; ++seen_) {
      Cells(seen_);
      for (size_t c = 0; c < cells_.size(); ++c)
        if (cells_[c].size() > longest_[c].size()) longest_[c] = cells_[c];
      if (Keeps(cells_, filter_)) kept.push_back(seen_);
    }
    if (kept.empty()) return;
    const int first = static_cast<int>(shown_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(kept.size()) - 1);
    shown_.insert(shown_.end(), kept.begin(), kept.end());
    endInsertRows();
  }

  void SetFilter(const std::string& text) {
    const TFilter filter(text);
    std::vector<int> kept;
    if (filter.Narrows(filter_)) {  // typing on: only the rows shown can stay
      for (int row : shown_)
        if (Keeps(Cells(row), filter)) kept.push_back(row);
    } else {
      for (int row = 0; row < seen_; ++row)
        if (Keeps(Cells(row), filter)) kept.push_back(row);
    }
    beginResetModel();
    shown_ = std::move(kept);
    filter_ = filter;
    endResetModel();
  }

  int SourceRow(int shownRow) const { return shown_[static_cast<size_t>(shownRow)]; }
  // The longest text (in bytes) of each column in all rows so far.
  const std::string& Longest(int column) const { return longest_[static_cast<size_t>(column)]; }

 private:
  const std::vector<std::string>& Cells(int row) {
    cells_.resize(columns_.size());
    for (size_t c = 0; c < columns_.size(); ++c) cells_[c] = rows_.Cell(row, static_cast<int>(c));
    return cells_;
  }

  TListRows& rows_;
  std::vector<std::string> columns_;
  std::vector<std::string> longest_;
  std::vector<int> shown_;
  int seen_ = 0;
  TFilter filter_;
  std::vector<std::string> cells_;
};

}  // namespace

bool RowMatchesFilter(const std::vector<std::string>& row, const std::string& filter) {
  return Keeps(row, TFilter(filter));
}

int TListDialog::Execute() {
  RequireUiThread("TListDialog");
  data_.Chosen = -1;
  return GetDesktop().RunListDialog(parent_, data_);
}

int RunQtListDialog(TWindow* owner, TListDialogData& data) {
  std::shared_ptr<TListRows> source = data.Source;
  if (!source) source = std::make_shared<TFixedRows>(data.Rows);

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
  auto* model = new TRowsModel(*source, data.Columns, &dialog);
  auto* table = new QTableView(&dialog);
  table->setObjectName(QStringLiteral("rows"));
  table->setModel(model);
  table->verticalHeader()->hide();
  // Rows of one height, so that a long list is laid out without measuring each.
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setWordWrap(false);
  table->horizontalHeader()->setStretchLastSection(true);
  auto* progress = new QProgressBar(&dialog);
  progress->setObjectName(QStringLiteral("progress"));
  progress->setRange(0, 1000);
  auto* status = new QLabel(&dialog);
  status->setObjectName(QStringLiteral("status"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
  layout->addWidget(prompt);
  layout->addWidget(filter);
  layout->addWidget(table);
  layout->addWidget(progress);
  layout->addWidget(status);
  layout->addWidget(buttons);
  dialog.resize(760, 440);

  // Each column as wide as its longest text so far (a long name or event no
  // wider than a third of the list), widened as longer ones come in.
  const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1) + 6;
  std::vector<int> widths(data.Columns.size(), 0);
  auto fitColumns = [table, model, margin, &widths] {
    const QFontMetrics metrics = table->fontMetrics();
    const QFontMetrics header = table->horizontalHeader()->fontMetrics();
    for (int c = 0; c + 1 < model->columnCount(QModelIndex()); ++c) {
      const int title = header.horizontalAdvance(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
      const int text = metrics.horizontalAdvance(FromUtf8(model->Longest(c)));
      const int wanted = std::min(std::max(title + 2 * margin, text + margin), 760 / 3);
      if (wanted > widths[static_cast<size_t>(c)]) table->setColumnWidth(c, widths[static_cast<size_t>(c)] = wanted);
    }
  };
  // The first row still shown is marked, so that Enter after typing takes it.
  auto markFirstShown = [table, model, ok] {
    if (model->rowCount(QModelIndex()) > 0) table->selectRow(0);
    else table->clearSelection();
    ok->setEnabled(table->selectionModel()->hasSelection());
  };
  auto takeRows = [source, model, table, progress, status, fitColumns, markFirstShown] {
    const bool complete = source->Complete();  // asked first: the rows counted next are then all of them
    model->TakeNewRows();
    fitColumns();
    if (!table->selectionModel()->hasSelection()) markFirstShown();
    progress->setValue(static_cast<int>(std::clamp(source->Progress(), 0.0, 1.0) * 1000));
    progress->setVisible(!complete);
    const QString line = FromUtf8(source->Status());
    status->setText(line);
    status->setVisible(!line.isEmpty());
    return complete;
  };
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &dialog, [&poll, takeRows] {
    if (takeRows()) poll.stop();
  });
  if (!takeRows()) poll.start(100);

  QObject::connect(filter, &QLineEdit::textChanged, &dialog, [model, markFirstShown](const QString& text) {
    model->SetFilter(text.toStdString());
    markFirstShown();
  });
  QObject::connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, &dialog,
                   [table, ok] { ok->setEnabled(table->selectionModel()->hasSelection()); });
  QObject::connect(table, &QTableView::doubleClicked, &dialog, [&dialog] { dialog.accept(); });
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  markFirstShown();
  filter->setFocus();

  if (dialog.exec() != QDialog::Accepted || !table->selectionModel()->hasSelection()) return IDCANCEL;
  data.Chosen = model->SourceRow(table->selectionModel()->selectedRows().front().row());
  return IDOK;
}
