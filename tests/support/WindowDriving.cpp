#include "tests/support/WindowDriving.h"

#include <set>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextEdit>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "framework/ControlBar.h"
#include "framework/EventHandler.h"
#include "framework/Frame.h"
#include "framework/Internal.h"
#include "framework/Resources.h"
#include "framework/Window.h"

void SendMouse(TWindow& window, int message, TPoint point, unsigned modifiers) {
  QWidget* widget = window.GetHandle();
  if (!widget) return;
  QEvent::Type type = QEvent::MouseMove;
  Qt::MouseButton button = Qt::NoButton;
  switch (message) {
    case WM_LBUTTONDOWN: type = QEvent::MouseButtonPress, button = Qt::LeftButton; break;
    case WM_LBUTTONUP: type = QEvent::MouseButtonRelease, button = Qt::LeftButton; break;
    case WM_LBUTTONDBLCLK: type = QEvent::MouseButtonDblClick, button = Qt::LeftButton; break;
    case WM_RBUTTONDOWN: type = QEvent::MouseButtonPress, button = Qt::RightButton; break;
    case WM_RBUTTONUP: type = QEvent::MouseButtonRelease, button = Qt::RightButton; break;
    case WM_RBUTTONDBLCLK: type = QEvent::MouseButtonDblClick, button = Qt::RightButton; break;
    default: break;
  }
  Qt::MouseButtons buttons;
  if (modifiers & MK_LBUTTON) buttons |= Qt::LeftButton;
  if (modifiers & MK_RBUTTON) buttons |= Qt::RightButton;
  if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) buttons |= button;
  if (type == QEvent::MouseButtonRelease) buttons &= ~Qt::MouseButtons(button);
  Qt::KeyboardModifiers keys;
  if (modifiers & MK_SHIFT) keys |= Qt::ShiftModifier;
  if (modifiers & MK_CONTROL) keys |= Qt::ControlModifier;
  const QPointF local(point.x, point.y);
  QMouseEvent event(type, local, widget->mapToGlobal(local), button, buttons, keys);
  QApplication::sendEvent(widget, &event);
}

void SendMouseLater(TWindow& window, int ms, int message, TPoint point) {
  QTimer::singleShot(ms, window.GetHandle(), [&window, message, point] { SendMouse(window, message, point); });
}

void SendKey(TDecoratedFrame& frame, unsigned flags, int key) {
  Qt::KeyboardModifiers mods;
  if (flags & FCONTROL) mods |= Qt::ControlModifier;
  if (flags & FSHIFT) mods |= Qt::ShiftModifier;
  if (flags & FALT) mods |= Qt::AltModifier;
  Qt::Key qkey = Qt::Key_unknown;
  switch (key) {
    case VK_PRIOR: qkey = Qt::Key_PageUp; break;
    case VK_NEXT: qkey = Qt::Key_PageDown; break;
    case VK_HOME: qkey = Qt::Key_Home; break;
    case VK_END: qkey = Qt::Key_End; break;
    case VK_ESCAPE: qkey = Qt::Key_Escape; break;
    default: qkey = static_cast<Qt::Key>(key); break;  // capitals and digits are Qt's codes too
  }
  // Qt's test keyboard has no character for Esc: its event carries the control character itself.
  if (qkey == Qt::Key_Escape)
    QTest::sendKeyEvent(QTest::Click, frame.GetHandle(), qkey, QString(QChar(0x1B)), mods);
  else
    QTest::keyClick(frame.GetHandle(), qkey, mods);
}

bool ActivateFrame(TDecoratedFrame& frame) {
  QMainWindow* w = frame.GetHandle();
  w->activateWindow();
  QApplication::setActiveWindow(w);
  return QTest::qWaitForWindowActive(w, 2000);
}

void ProcessEvents(int ms) {
  if (ms <= 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    return;
  }
  QTest::qWait(ms);
}

void CallLater(int ms, void (*fn)(void*), void* data) { QTimer::singleShot(ms, qApp, [fn, data] { fn(data); }); }

TBitmap GrabFrame(TDecoratedFrame& frame) { return TBitmap(frame.GetHandle()->grab().toImage()); }

TBitmap GrabWindow(TWindow& window) { return TBitmap(window.GetHandle()->grab().toImage()); }

namespace {
void CollectMenu(QMenu* menu, const std::string& indent, std::vector<std::string>& out) {
  for (QAction* a : menu->actions()) {
    out.push_back(indent + (a->isSeparator() ? std::string() : a->text().toStdString()));
    if (a->menu()) CollectMenu(a->menu(), indent + "  ", out);
  }
}
}  // namespace

std::vector<std::string> MenuTexts(TDecoratedFrame& frame) {
  std::vector<std::string> out;
  for (QAction* a : frame.GetHandle()->menuBar()->actions()) {
    out.push_back(a->text().toStdString());
    if (a->menu()) CollectMenu(a->menu(), "  ", out);
  }
  return out;
}

std::vector<int> ToolBarLayout(TDecoratedFrame& frame) {
  std::vector<int> out;
  TControlBar* bar = frame.GetControlBar();
  if (!bar) return out;
  // In the order the Qt bar shows them.
  for (QAction* a : bar->GetHandle()->actions()) {
    QWidget* w = bar->GetHandle()->widgetForAction(a);
    for (const auto& g : bar->Gadgets()) {
      if (g->GetHandle() != w) continue;
      if (auto* b = dynamic_cast<TButtonGadget*>(g.get())) out.push_back(b->GetCommandId());
      if (dynamic_cast<TSeparatorGadget*>(g.get())) out.push_back(-w->width());
    }
  }
  return out;
}

bool ToolButtonEnabled(TDecoratedFrame& frame, int commandId) {
  TButtonGadget* b = frame.GetControlBar() ? frame.GetControlBar()->FindButton(commandId) : nullptr;
  return b && b->GetHandle()->isEnabled();
}

bool ToolButtonPressed(TDecoratedFrame& frame, int commandId) {
  TButtonGadget* b = frame.GetControlBar() ? frame.GetControlBar()->FindButton(commandId) : nullptr;
  return b && static_cast<QAbstractButton*>(b->GetHandle())->isChecked();
}

bool ToolButtonHasIconSize(TDecoratedFrame& frame, int commandId, int size) {
  TButtonGadget* b = frame.GetControlBar() ? frame.GetControlBar()->FindButton(commandId) : nullptr;
  if (!b) return false;
  for (const QSize& s : static_cast<QAbstractButton*>(b->GetHandle())->icon().availableSizes())
    if (s.width() == size && s.height() == size) return true;
  return false;
}

TSize FrameSize(TDecoratedFrame& frame) {
  const QMainWindow* w = frame.GetHandle();
  return TSize(w->width(), w->height());
}

void ResizeFrame(TDecoratedFrame& frame, int width, int height) {
  frame.GetHandle()->resize(width, height);
  frame.GetHandle()->layout()->activate();
  QCoreApplication::processEvents();
}

TRect FrameOnScreen(TDecoratedFrame& frame) {
  const QRect r = frame.GetHandle()->frameGeometry();
  return TRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

TRect ScreenRoom(TDecoratedFrame& frame) {
  const QScreen* screen = frame.GetHandle()->screen();
  const QRect r = screen ? screen->availableGeometry() : QRect();
  return TRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

bool ShownOnScreen(const TWindow* window) {
  const QWidget* widget = window ? window->GetHandle() : nullptr;
  return widget && widget->window()->isVisible();
}

bool ToolBarShowsAllButtons(TDecoratedFrame& frame) {
  TControlBar* bar = frame.GetControlBar();
  if (!bar) return false;
  const QRect room = bar->GetHandle()->rect();
  for (const auto& gadget : bar->Gadgets()) {
    QWidget* w = gadget->GetHandle();
    if (!w || !w->isVisible() || !room.contains(w->geometry())) return false;
  }
  return true;
}

bool MenuBarShowsAllTitles(TDecoratedFrame& frame) {
  QMenuBar* bar = frame.GetHandle()->menuBar();
  const QRect room = bar->rect();
  for (QAction* a : bar->actions()) {
    const QRect shown = bar->actionGeometry(a);
    if (shown.isEmpty() || !room.contains(shown)) return false;
  }
  return true;
}

namespace {
void CollectCommandActions(QMenu* menu, int id, std::set<QAction*>& out) {
  for (QAction* a : menu->actions()) {
    if (a->menu()) CollectCommandActions(a->menu(), id, out);
    if (a->property("commandId").toInt() == id) out.insert(a);
  }
}
}  // namespace

TCommandReach CommandReach(TDecoratedFrame& frame, int id) {
  std::set<QAction*> actions;
  for (QAction* a : frame.GetHandle()->menuBar()->actions())
    if (a->menu()) CollectCommandActions(a->menu(), id, actions);
  TCommandReach reach;
  reach.InMenu = !actions.empty();
  if (TControlBar* bar = frame.GetControlBar())
    for (QAction* a : bar->GetHandle()->actions())
      if (auto* button = qobject_cast<QToolButton*>(bar->GetHandle()->widgetForAction(a)))
        if (button->defaultAction() && button->defaultAction()->property("commandId").toInt() == id) {
          actions.insert(button->defaultAction());
          reach.OnToolBar = true;
        }
  for (QAction* a : frame.GetHandle()->actions())
    if (a->property("commandId").toInt() == id && !a->shortcuts().isEmpty()) actions.insert(a);
  reach.Actions = static_cast<int>(actions.size());
  for (QAction* a : actions) reach.Keys += static_cast<int>(a->shortcuts().size());
  return reach;
}

int SeparateShortcuts(TDecoratedFrame& frame) {
  return static_cast<int>(frame.GetHandle()->findChildren<QShortcut*>().size());
}

bool FrameHasIconSize(TDecoratedFrame& frame, int size) {
  for (const QSize& s : frame.GetHandle()->windowIcon().availableSizes())
    if (s.width() == size && s.height() == size) return true;
  return false;
}

namespace {

bool LabelTextFits(const QLabel* label) {
  if (label->text().isEmpty()) return true;
  const QFontMetrics metrics = label->fontMetrics();
  const QRect room = label->contentsRect();
  return metrics.horizontalAdvance(label->text()) <= room.width() && metrics.height() <= room.height();
}

// The room QLineEdit leaves for its text: its contents rectangle less the
// small margin it keeps on either side.
bool LineEditTextFits(const QLineEdit* edit) {
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.rect = edit->rect();
  option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
  option.midLineWidth = 0;
  option.state |= QStyle::State_Sunken;
  if (edit->isReadOnly()) option.state |= QStyle::State_ReadOnly;
  const QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  const QFontMetrics metrics = edit->fontMetrics();
  constexpr int margin = 2;
  return metrics.horizontalAdvance(edit->text()) <= room.width() - 2 * margin && metrics.height() <= room.height();
}

TShownControl DescribeControl(QWidget* widget) {
  TShownControl c;
  c.Kind = static_cast<TShownControl::TKind>(widget->property("controlKind").toInt());
  const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
  c.Box = TRect(at.x(), at.y(), at.x() + widget->width(), at.y() + widget->height());
  c.TabStop = (widget->focusPolicy() & Qt::TabFocus) != 0;
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    c.Text = label->text().toStdString();
    c.ShowsPicture = !label->pixmap().isNull();
    c.Framed = label->frameShape() != QFrame::NoFrame;
    c.TextFits = LabelTextFits(label);
  } else if (auto* text = qobject_cast<QTextEdit*>(widget)) {
    c.Text = text->toPlainText().toStdString();
    c.ReadOnly = text->isReadOnly();
    c.Multiline = true;
    c.Framed = text->frameShape() != QFrame::NoFrame;
    text->document()->setTextWidth(text->viewport()->width());
    c.TextFits = text->document()->size().height() <= text->viewport()->height();
  } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    c.Text = line->text().toStdString();
    c.ReadOnly = line->isReadOnly();
    c.Framed = line->hasFrame();
    c.TextFits = LineEditTextFits(line);
  } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
    c.Text = button->text().toStdString();
    c.Default = button->isDefault();
    const QFontMetrics metrics = button->fontMetrics();
    c.TextFits = metrics.horizontalAdvance(button->text()) + 8 <= button->width() && metrics.height() <= button->height();
  } else if (auto* frame = qobject_cast<QFrame*>(widget)) {
    c.Framed = frame->frameShape() != QFrame::NoFrame;
  }
  return c;
}

TShownDialog Describe(QDialog* dialog, TWindow* owner) {
  TShownDialog d;
  d.Caption = dialog->windowTitle().toStdString();
  d.Size = TSize(dialog->width(), dialog->height());
  if (owner && owner->GetHandle()) {
    const QPoint origin = owner->GetHandle()->mapToGlobal(QPoint(0, 0));
    d.Offset = TPoint(dialog->x() - origin.x(), dialog->y() - origin.y());
  }
  d.Modal = dialog->isModal();
  d.SystemMenu = dialog->windowFlags().testFlag(Qt::WindowSystemMenuHint);
  d.Resizable = dialog->minimumSize() != dialog->maximumSize();
  for (QWidget* widget : dialog->findChildren<QWidget*>())
    if (widget->property("controlKind").isValid()) d.Controls.push_back(DescribeControl(widget));
  d.Picture = TBitmap(dialog->grab().toImage());
  return d;
}

}  // namespace

TShownDialog DescribeDialog(TWindow* owner, int resId) {
  const TInfoDialog* resource = GetModule().FindInfoDialog(resId);
  if (!resource) return TShownDialog();
  std::unique_ptr<QDialog> dialog = BuildInfoDialog(*resource, owner ? owner->GetHandle() : nullptr);
  dialog->show();
  QCoreApplication::processEvents();
  TShownDialog shown = Describe(dialog.get(), owner);
  dialog->hide();
  return shown;
}

bool DescribeModalDialog(TShownDialog& shown, TWindow* owner) {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (!dialog) return false;
  shown = Describe(dialog, owner);
  return true;
}

bool PressModalButton(const std::string& text) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return false;
  for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
    if (button->text().remove(QLatin1Char('&')).toStdString() != text) continue;
    button->click();
    return true;
  }
  return false;
}

bool EscapeModalDialog() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return false;
  QTest::keyClick(modal, Qt::Key_Escape);
  return true;
}

bool DescribeFileDialog(TShownFileDialog& shown) {
  auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
  if (!dialog) return false;
  shown.Save = dialog->acceptMode() == QFileDialog::AcceptSave;
  shown.MustExist = dialog->fileMode() == QFileDialog::ExistingFile;
  shown.ConfirmOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
  shown.Filters.clear();
  for (const QString& filter : dialog->nameFilters()) shown.Filters.push_back(filter.toStdString());
  shown.DefaultSuffix = dialog->defaultSuffix().toStdString();
  auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  shown.FileName = nameBox ? nameBox->text().toStdString() : std::string();
  return true;
}

bool AcceptFileDialog(const std::string& name) {
  auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
  if (!dialog) return false;
  // Typed into the name box, as a user would (a whole path may be typed there too).
  auto* nameBox = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  if (!nameBox) return false;
  nameBox->setText(QString::fromStdString(name));
  QMetaObject::invokeMethod(dialog, "accept");  // as the dialog's own button does
  if (!dialog->isVisible()) return true;
  dialog->reject();  // refused (a name that must exist and does not): not left open
  return false;
}

bool OffscreenPlatform() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

void QuietPlatformNotes() {
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previous) previous(type, context, text);
  });
}
