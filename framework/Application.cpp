#include "framework/Application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMainWindow>
#include <QTimer>

#include "framework/Frame.h"
#include "framework/UiThread.h"

namespace {
TApplication* current = nullptr;
}

TApplication::TApplication(const char*) {
  RequireUiThread("TApplication");
  current = this;
}

TApplication::~TApplication() {
  mainWindow_.reset();
  if (current == this) current = nullptr;
}

TApplication* TApplication::Current() { return current; }

void TApplication::InitMainWindow() {}

void TApplication::SetMainWindow(TDecoratedFrame* frame) { mainWindow_.reset(frame); }

void TApplication::InitInstance() {
  InitMainWindow();
  if (!mainWindow_) return;
  mainWindow_->Show();
  QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                   mainWindow_->GetHandle(), [this] { IdleAction(); });
  for (std::function<void()>& task : afterShown_) QTimer::singleShot(0, mainWindow_->GetHandle(), std::move(task));
  afterShown_.clear();
}

void TApplication::AfterShown(std::function<void()> task) { afterShown_.push_back(std::move(task)); }

void TApplication::IdleAction() {
  if (mainWindow_) mainWindow_->EnableCommands();
}

int TApplication::MessageLoop() {
  if (quitPosted_) return quitCode_;
  inLoop_ = true;
  const int result = QApplication::exec();
  inLoop_ = false;
  return quitPosted_ ? quitCode_ : result;
}

int TApplication::Run() {
  InitInstance();
  return MessageLoop();
}

void TApplication::PostQuitMessage(int code) {
  quitPosted_ = true;
  quitCode_ = code;
  if (inLoop_) QApplication::exit(code);
}
