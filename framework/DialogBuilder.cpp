// Dialogs from templates: the controls placed where the template puts them,
// dialog units turned into pixels with the dialog font's own measures.
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTextEdit>
#include <algorithm>

#include "framework/DialogTemplate.h"
#include "framework/Dialogs.h"
#include "framework/Internal.h"
#include "framework/Resources.h"

namespace {

QFont DialogFont(const TDialogTemplate& resource) {
  if (!resource.FontName.empty()) {
    QFont font(ToQString(resource.FontName.c_str()));
    font.setPointSize(resource.FontSize);
    return font;
  }
  QFont font = QApplication::font("QDialog");
  if (font.pointSizeF() > 0 && font.pointSizeF() < resource.FontSize) font.setPointSizeF(resource.FontSize);
  return font;
}

// Pixels per dialog unit: the average width of the letters a-z and A-Z over 4
// across, the font's height over 8 down.
struct TUnits {
  explicit TUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    AverageWidth = (letters / 26 + 1) / 2;
    Height = metrics.height();
  }
  int X(int units) const { return (units * AverageWidth + 2) / 4; }
  int Y(int units) const { return (units * Height + 4) / 8; }
  // Edges are converted one by one, so controls that meet in units meet in pixels.
  QRect Rect(int x, int y, int w, int h) const { return QRect(QPoint(X(x), Y(y)), QPoint(X(x + w) - 1, Y(y + h) - 1)); }

  int AverageWidth;
  int Height;
};

// The module's icon image closest in size to `side` pixels from above, scaled to it.
QPixmap IconPicture(const std::string& name, int side) {
  const std::vector<TBitmap>* images = GetModule().FindIcon(name);
  if (!images || images->empty() || side <= 0) return QPixmap();
  const TBitmap* best = &images->front();
  for (const TBitmap& image : *images) {
    const bool fits = image.Width() >= side, bestFits = best->Width() >= side;
    if ((fits && (!bestFits || image.Width() < best->Width())) || (!fits && !bestFits && image.Width() > best->Width()))
      best = &image;
  }
  QImage picture = best->Image();
  if (picture.width() != side) picture = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return QPixmap::fromImage(picture);
}

// A read-only edit box shows the dialog's face colour behind its text.
void ReadOnlyLook(QWidget* edit) {
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, palette.color(QPalette::Window));
  edit->setPalette(palette);
}

QWidget* MakeControl(QDialog* dialog, const TDialogControl& control, const QRect& box) {
  const QString text = ToQString(control.Text.c_str());
  const bool border = control.Style & WS_BORDER;
  QWidget* widget = nullptr;
  QRect place = box;
  switch (control.Kind) {
    case TDialogControl::Static: {
      auto* label = new QLabel(text, dialog);
      label->setTextFormat(Qt::PlainText);
      if (border) label->setFrameStyle(QFrame::Box | QFrame::Plain);
      widget = label;
      break;
    }
    case TDialogControl::Icon: {
      // The picture keeps its square shape: the box shrinks to fit it.
      const int side = std::min(box.width(), box.height());
      place = QRect(box.topLeft(), QSize(side, side));
      auto* label = new QLabel(dialog);
      const int frame = border ? 1 : 0;
      if (border) label->setFrameStyle(QFrame::Box | QFrame::Plain);
      label->setPixmap(IconPicture(control.Text, side - 2 * frame));
      label->setAlignment(Qt::AlignCenter);
      widget = label;
      break;
    }
    case TDialogControl::Edit: {
      if (control.Style & ES_MULTILINE) {
        auto* edit = new QTextEdit(dialog);
        edit->setPlainText(text);
        edit->setReadOnly(control.Style & ES_READONLY);
        edit->setLineWrapMode(QTextEdit::WidgetWidth);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (!border) edit->setFrameStyle(QFrame::NoFrame);
        edit->document()->setDocumentMargin(2);
        widget = edit;
      } else {
        auto* edit = new QLineEdit(text, dialog);
        edit->setReadOnly(control.Style & ES_READONLY);
        edit->setFrame(border);
        edit->setCursorPosition(0);
        widget = edit;
      }
      if (control.Style & ES_READONLY) ReadOnlyLook(widget);
      break;
    }
    case TDialogControl::Button: {
      auto* button = new QPushButton(text, dialog);
      const bool isDefault = control.Style & BS_DEFPUSHBUTTON;
      button->setDefault(isDefault);
      button->setAutoDefault(isDefault);
      const int id = control.Id;
      QObject::connect(button, &QPushButton::clicked, dialog, [dialog, id] { dialog->done(id); });
      widget = button;
      break;
    }
    case TDialogControl::EtchedLine: {
      auto* line = new QFrame(dialog);
      line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
      place.setHeight(std::max(2, box.height()));
      widget = line;
      break;
    }
  }
  widget->setGeometry(place);
  const bool takesFocus = control.Kind == TDialogControl::Edit || control.Kind == TDialogControl::Button;
  widget->setFocusPolicy(!takesFocus ? Qt::NoFocus : (control.Style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
  widget->setProperty("controlId", control.Id);
  widget->setProperty("controlKind", static_cast<int>(control.Kind));
  return widget;
}

}  // namespace

std::unique_ptr<QDialog> BuildDialog(const TDialogTemplate& resource, QWidget* owner) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint;
  if (resource.Style & WS_SYSMENU) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  auto dialog = std::make_unique<QDialog>(owner ? owner->window() : nullptr, flags);
  dialog->setWindowTitle(ToQString(resource.Caption.c_str()));
  dialog->setModal(true);
  const QFont font = DialogFont(resource);
  dialog->setFont(font);
  const TUnits units(font);
  dialog->setProperty("unitX", units.AverageWidth / 4.0);
  dialog->setProperty("unitY", units.Height / 8.0);
  dialog->setFixedSize(units.X(resource.W), units.Y(resource.H));
  if (owner) dialog->move(owner->mapToGlobal(QPoint(units.X(resource.X), units.Y(resource.Y))));
  // Controls are made in template order, which is also the order the Tab key follows.
  for (const TDialogControl& control : resource.Controls)
    MakeControl(dialog.get(), control, units.Rect(control.X, control.Y, control.W, control.H));
  return dialog;
}

int DialogResult(int qtResult) { return qtResult == QDialog::Rejected ? IDCANCEL : qtResult; }
