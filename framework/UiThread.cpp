#include "framework/UiThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <utility>

bool IsUiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

void RequireUiThread(const char* what) {
  if (IsUiThread()) return;
  std::fprintf(stderr, "varek: %s used off the UI thread\n", what);
  std::abort();
}

namespace {

// Receives the wake-up and has the queue deliver. The event carries nothing
// the program reads: what a task needs goes through the queue's lock, which
// orders it for every reader (and for the thread sanitizer, which cannot see
// inside the toolkit's own queue).
class TWakeReceiver : public QObject {
 public:
  explicit TWakeReceiver(TUiQueue* queue) : queue_(queue) {}

 protected:
  void customEvent(QEvent*) override { queue_->Deliver(); }

 private:
  TUiQueue* const queue_;
};

}  // namespace

TUiQueue::TUiQueue() : wake_(std::make_unique<TWakeReceiver>(this)) { RequireUiThread("TUiQueue"); }

// Deleting the receiver drops a wake-up still on its way.
TUiQueue::~TUiQueue() = default;

void TUiQueue::Post(std::function<void()> task) {
  bool first = false;
  {
    std::lock_guard lock(mutex_);
    first = tasks_.empty();
    tasks_.push_back(std::move(task));
  }
  // The task itself goes through the lock above; the toolkit's queue only
  // carries the wake-up. One is on its way whenever tasks are waiting.
  if (first) QCoreApplication::postEvent(wake_.get(), new QEvent(QEvent::User));
}

void TUiQueue::Deliver() {
  RequireUiThread("TUiQueue::Deliver");
  // One at a time, so that a task that delivers again keeps the order.
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex_);
      if (tasks_.empty()) return;
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}
