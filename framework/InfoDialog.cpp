#include "framework/InfoDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "framework/Internal.h"
#include "framework/Resources.h"

namespace {

// The kinds the tests' descriptions tell apart.
enum TKind { Static, Icon, Edit, Button, EtchedLine };

constexpr int IconSide = 32;

QWidget* Tagged(QWidget* widget, TKind kind) {
  widget->setProperty("controlKind", static_cast<int>(kind));
  return widget;
}

// The module's icon image of `side` pixels, or the nearest larger one scaled down.
QPixmap IconPicture(const std::string& name, int side, qreal ratio) {
  const std::vector<TBitmap>* images = GetModule().FindIcon(name);
  if (!images || images->empty()) return QPixmap();
  const int wanted = qRound(side * ratio);
  const TBitmap* best = &images->back();
  for (const TBitmap& image : *images)
    if (image.Width() >= wanted && (best->Width() < wanted || image.Width() < best->Width())) best = &image;
  QPixmap picture = QPixmap::fromImage(
      best->Image().scaled(wanted, wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  picture.setDevicePixelRatio(ratio);
  return picture;
}

// A read-only box shows the dialog's face colour behind its text.
void ReadOnlyLook(QWidget* edit) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  edit->setPalette(palette);
}

QWidget* MakeRow(const TInfoDialog::TRow& row, QWidget* dialog) {
  const QString text = ToQString(row.Text.c_str());
  switch (row.Kind) {
    case TInfoDialog::TRowKind::Label: {
      auto* label = new QLabel(text, dialog);
      label->setTextFormat(Qt::PlainText);
      return Tagged(label, Static);
    }
    case TInfoDialog::TRowKind::Note: {
      auto* note = new QTextEdit(dialog);
      note->setPlainText(text);
      note->setReadOnly(true);
      note->setFocusPolicy(Qt::ClickFocus);
      note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      note->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
      ReadOnlyLook(note);
      // Tall enough for the whole text at the width the layout gives it.
      note->document()->setTextWidth(note->fontMetrics().averageCharWidth() * 52);
      note->setMinimumWidth(note->fontMetrics().averageCharWidth() * 56);
      note->setFixedHeight(static_cast<int>(note->document()->size().height()) + 2 * note->frameWidth() + 4);
      return Tagged(note, Edit);
    }
    case TInfoDialog::TRowKind::Field: {
      auto* field = new QLineEdit(text, dialog);
      field->setReadOnly(true);
      field->setFrame(false);
      field->setCursorPosition(0);
      field->setFocusPolicy(Qt::StrongFocus);
      field->setMinimumWidth(field->fontMetrics().horizontalAdvance(text) + 12);
      ReadOnlyLook(field);
      return Tagged(field, Edit);
    }
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<QDialog> BuildInfoDialog(const TInfoDialog& resource, QWidget* owner) {
  const Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                Qt::MSWindowsFixedSizeDialogHint;
  auto dialog = std::make_unique<QDialog>(owner ? owner->window() : nullptr, flags);
  dialog->setWindowTitle(ToQString(resource.Caption.c_str()));
  dialog->setModal(true);

  auto* icon = new QLabel(dialog.get());
  icon->setFrameStyle(QFrame::Box | QFrame::Plain);
  icon->setPixmap(IconPicture(resource.IconName, IconSide, dialog->devicePixelRatioF()));
  icon->setAlignment(Qt::AlignCenter);
  icon->setFixedSize(IconSide + 2 * icon->frameWidth(), IconSide + 2 * icon->frameWidth());
  Tagged(icon, Icon);

  auto* rows = new QVBoxLayout;
  for (const TInfoDialog::TRow& row : resource.Rows) rows->addWidget(MakeRow(row, dialog.get()));
  rows->addStretch();
  auto* body = new QHBoxLayout;
  body->addWidget(icon, 0, Qt::AlignTop);
  body->addLayout(rows, 1);

  auto* line = new QFrame(dialog.get());
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Tagged(line, EtchedLine);
  auto* buttons = new QDialogButtonBox(dialog.get());
  QPushButton* ok = buttons->addButton(ToQString(resource.ButtonText.c_str()), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  Tagged(ok, Button);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog.get(), &QDialog::accept);

  auto* layout = new QVBoxLayout(dialog.get());
  layout->addLayout(body);
  layout->addWidget(line);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // not resizable
  return dialog;
}
