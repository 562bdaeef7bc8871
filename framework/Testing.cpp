#include "framework/Testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "framework/ControlBar.h"
#include "framework/EventHandler.h"
#include "framework/Frame.h"
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
    default: qkey = static_cast<Qt::Key>(key); break;  // capitals and digits are Qt's codes too
  }
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

bool FrameHasIconSize(TDecoratedFrame& frame, int size) {
  for (const QSize& s : frame.GetHandle()->windowIcon().availableSizes())
    if (s.width() == size && s.height() == size) return true;
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
