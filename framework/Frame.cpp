#include "framework/Frame.h"

#include <algorithm>

#include <QAction>
#include <QByteArray>
#include <QCloseEvent>
#include <QIcon>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "framework/ControlBar.h"
#include "framework/Internal.h"
#include "framework/StatusBar.h"
#include "framework/UiThread.h"

class TFrameWidget : public QMainWindow {
 public:
  explicit TFrameWidget(TDecoratedFrame* owner) : owner_(owner) {}
  void Detach() { owner_ = nullptr; }

 protected:
  void closeEvent(QCloseEvent* e) override {
    if (owner_ && owner_->client_ && !owner_->client_->CanClose()) {
      e->ignore();
      return;
    }
    e->accept();
  }

 private:
  TDecoratedFrame* owner_;
};

namespace {

Qt::Key QtKey(int key) {
  switch (key) {
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    default: break;
  }
  if (key >= 'A' && key <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (key - 'A'));
  if (key >= '0' && key <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (key - '0'));
  return Qt::Key_unknown;
}

// A menu text without its mnemonic marks and key name, for a button's tool tip.
QString PlainText(const std::string& text) {
  QString s = ToQString(text.c_str());
  s = s.section(QLatin1Char('\t'), 0, 0);
  s.remove(QLatin1Char('&'));
  return s.trimmed();
}

}  // namespace

TDecoratedFrame::TDecoratedFrame(TWindow*, const char* title, TWindow* client, bool)
    : frame_(new TFrameWidget(this)), client_(client) {
  RequireUiThread("TDecoratedFrame");
  frame_->setWindowTitle(ToQString(title));
  if (client_) client_->frame_ = this;
  if (client_ && client_->GetHandle()) frame_->setCentralWidget(client_->GetHandle());
  frame_->resize(600, 640);
}

TDecoratedFrame::~TDecoratedFrame() {
  frame_->Detach();
  // The client goes first: it may still be waiting for work it started.
  client_.reset();
  controlBar_.reset();
  statusBar_.reset();
  delete frame_;
}

void TDecoratedFrame::Insert(TControlBar* bar, TLocation location) {
  controlBar_.reset(bar);
  frame_->addToolBar(location == Top ? Qt::TopToolBarArea : Qt::BottomToolBarArea, bar->GetHandle());
}

QAction* TDecoratedFrame::CommandAction(int id) {
  QAction*& action = actions_[id];
  if (action) return action;
  action = new QAction(frame_);
  action->setProperty("commandId", id);
  // In the frame itself, so that its keys work whether or not a menu shows it.
  frame_->addAction(action);
  QObject::connect(action, &QAction::triggered, action, [this, id] { ExecuteCommand(id); });
  return action;
}

void TDecoratedFrame::Insert(TStatusBar* bar, TLocation) {
  statusBar_.reset(bar);
  frame_->setStatusBar(bar->GetHandle());
}

void TDecoratedFrame::BuildMenu(QMenu* menu, const std::vector<TMenuItem>& items) {
  for (const TMenuItem& item : items) {
    if (!item.Popup.empty()) {
      QMenu* popup = menu->addMenu(ToQString(item.Text.c_str()));
      QObject::connect(popup, &QMenu::aboutToShow, popup, [this] { EnableCommands(); });
      BuildMenu(popup, item.Popup);
    } else if (item.Id == 0 && item.Text.empty()) {
      menu->addSeparator();
    } else {
      QAction* action = CommandAction(item.Id);
      action->setText(ToQString(item.Text.c_str()));
      action->setToolTip(PlainText(item.Text));  // what its button says
      menu->addAction(action);
    }
  }
}

void TDecoratedFrame::AssignMenu(const char* menuName) {
  if (menuName) menu_ = GetModule().FindMenu(menuName);
  if (!menu_) return;
  QMenuBar* bar = frame_->menuBar();
  bar->clear();
  for (const TMenuItem& top : *menu_) {
    QMenu* popup = bar->addMenu(ToQString(top.Text.c_str()));
    QObject::connect(popup, &QMenu::aboutToShow, popup, [this] { EnableCommands(); });
    BuildMenu(popup, top.Popup);
  }
}

void TDecoratedFrame::SetIcons(TModule* module, const char* iconName) {
  const std::vector<TBitmap>* images = module ? module->FindIcon(iconName) : nullptr;
  if (!images) return;
  QIcon icon;
  for (const TBitmap& image : *images) icon.addPixmap(QPixmap::fromImage(image.Image()));
  frame_->setWindowIcon(icon);
}

// One icon carries every size; Qt picks the small or large image where needed.
void TDecoratedFrame::SetIcon(TModule* module, const char* iconName) { SetIcons(module, iconName); }
void TDecoratedFrame::SetIconSm(TModule* module, const char* iconName) { SetIcons(module, iconName); }

void TDecoratedFrame::SetAcceleratorTable(const char* name) {
  accelerators_ = GetModule().FindAccelerators(name);
  if (!accelerators_) return;
  for (const TAccelerator& a : *accelerators_) {
    Qt::KeyboardModifiers mods;
    if (a.Flags & FCONTROL) mods |= Qt::ControlModifier;
    if (a.Flags & FSHIFT) mods |= Qt::ShiftModifier;
    if (a.Flags & FALT) mods |= Qt::AltModifier;
    QAction* action = CommandAction(a.Command);
    QList<QKeySequence> keys = action->shortcuts();
    keys.append(QKeySequence(QKeyCombination(mods, QtKey(a.Key))));
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
  }
}

void TDecoratedFrame::Show() {
  frame_->show();
  if (pendingClientSize_.cx > 0) SetClientSize(pendingClientSize_.cx, pendingClientSize_.cy);
  pendingClientSize_ = TSize();
  KeepOnScreen();
}

void TDecoratedFrame::KeepOnScreen() {
  QScreen* screen = frame_->screen();
  if (!screen || frame_->isMaximized() || frame_->isFullScreen()) return;
  // A first size, or one kept from a larger screen or a smaller scale, is cut
  // to the room the desktop leaves (its own bars aside), title bar included.
  const QRect room = screen->availableGeometry();
  const QRect outer = frame_->frameGeometry(), inner = frame_->geometry();
  const int width = std::min(inner.width(), room.width() - (outer.width() - inner.width()));
  const int height = std::min(inner.height(), room.height() - (outer.height() - inner.height()));
  if (width != inner.width() || height != inner.height()) frame_->resize(width, height);
  const QRect now = frame_->frameGeometry();
  const int x = std::max(room.left(), std::min(now.left(), room.right() + 1 - now.width()));
  const int y = std::max(room.top(), std::min(now.top(), room.bottom() + 1 - now.height()));
  if (x != now.left() || y != now.top()) frame_->move(x, y);
}

bool TDecoratedFrame::CloseWindow() { return frame_->close(); }

bool TDecoratedFrame::IsVisible() const { return frame_->isVisible(); }

bool TDecoratedFrame::QueryEnabler(TCommandEnabler& ce) {
  if (!client_) return false;
  TEventInfo info;
  info.Kind = TEventKind::CommandEnable;
  info.Id = ce.GetId();
  info.Enabler = &ce;
  return client_->Dispatch(info);
}

void TDecoratedFrame::Enable(QAction* action, int id) {
  TCommandEnabler ce(id);
  QueryEnabler(ce);
  action->setEnabled(ce.IsEnabled());
  // Only a checked item is checkable, so unchecked items show no mark at all.
  action->setCheckable(ce.IsChecked());
  action->setChecked(ce.IsChecked());
}

void TDecoratedFrame::EnableCommands() {
  if (enabling_) return;
  enabling_ = true;
  for (auto& [id, action] : actions_) Enable(action, id);
  enabling_ = false;
}

bool TDecoratedFrame::IsCommandEnabled(int id) const {
  auto it = actions_.find(id);
  return it != actions_.end() && it->second->isEnabled();
}

bool TDecoratedFrame::IsCommandChecked(int id) const {
  auto it = actions_.find(id);
  return it != actions_.end() && it->second->isChecked();
}

void TDecoratedFrame::ExecuteCommand(int id) {
  RequireUiThread("TDecoratedFrame::ExecuteCommand");
  TCommandEnabler ce(id);
  QueryEnabler(ce);
  if (!ce.IsEnabled() || !client_) return;
  lastCommand_ = id;
  TEventInfo info;
  info.Kind = TEventKind::Command;
  info.Id = id;
  client_->Dispatch(info);
  EnableCommands();
}

std::string TDecoratedFrame::GetCaption() const { return frame_->windowTitle().toStdString(); }

void TDecoratedFrame::SetClientSize(int width, int height) {
  // The bars' sizes are known once the frame is shown.
  if (!frame_->isVisible()) {
    pendingClientSize_ = TSize(width, height);
    return;
  }
  QWidget* central = frame_->centralWidget();
  for (int round = 0; round < 3 && central; ++round) {
    frame_->layout()->activate();
    const int dw = width - central->width(), dh = height - central->height();
    if (dw == 0 && dh == 0) break;
    frame_->resize(frame_->width() + dw, frame_->height() + dh);
  }
}

std::string TDecoratedFrame::SaveGeometry() const {
  const QByteArray bytes = frame_->saveGeometry();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool TDecoratedFrame::RestoreGeometry(const std::string& geometry) {
  if (!frame_->restoreGeometry(QByteArray(geometry.data(), static_cast<qsizetype>(geometry.size())))) return false;
  pendingClientSize_ = TSize();  // what was restored wins over a first size
  return true;
}

void TDecoratedFrame::SetMinimumClientSize(int width, int height) {
  QWidget* central = frame_->centralWidget();
  if (central) central->setMinimumSize(width, height);
  // A bar narrower than its buttons or titles would hide some behind a
  // chevron; the frame stays wide enough for all of them.
  int least = width;
  if (controlBar_) least = std::max(least, controlBar_->GetHandle()->sizeHint().width());
  least = std::max(least, frame_->menuBar()->sizeHint().width());
  frame_->setMinimumWidth(least);
  frame_->layout()->activate();
}

QMainWindow* TDecoratedFrame::GetHandle() const { return frame_; }
