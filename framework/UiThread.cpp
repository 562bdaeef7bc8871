#include "framework/UiThread.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <future>
#include <thread>
#include <utility>
#include <vector>

#include "framework/Internal.h"

namespace {

std::atomic<bool> started{false};
int pauseDepth = 0;
std::atomic<double> pauseScale{1.0};
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> afterPauses;

// The toolkit's queue orders every hand-over with locks the thread sanitizer
// cannot see. A release by the handing thread and an acquire by the UI thread
// on one atomic show it the same order: whatever the caller made before
// handing a task over (the task itself among it) is made before the task runs.
std::atomic<unsigned> handOvers{0};
void HandOver() { handOvers.fetch_add(1, std::memory_order_acq_rel); }
void TakeOver() { (void)handOvers.load(std::memory_order_acquire); }

}  // namespace

void StartUiThread() {
  if (started.load() || !QCoreApplication::instance()) return;
  started.store(true);
}

bool IsUiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return started.load() && app && QThread::currentThread() == app->thread();
}

void RequireUiThread(const char* what) {
  if (IsUiThread()) return;
  std::fprintf(stderr, "varek: %s used off the UI thread\n", what);
  std::abort();
}

void RunOnUiThread(const std::function<void()>& task) {
  if (!started.load() || IsUiThread()) {
    task();
    return;
  }
  // Queued, and waited for here: the promise makes the task's effects visible
  // to this thread (and to the sanitizer, which cannot see into the toolkit).
  std::promise<void> done;
  auto run = [&] {
    TakeOver();
    try {
      task();
      done.set_value();
    } catch (...) {
      done.set_exception(std::current_exception());
    }
  };
  HandOver();
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(run), Qt::QueuedConnection);
  done.get_future().get();
}

void PostToUiThread(QObject* context, std::function<void()> task) {
  if (!started.load() || IsUiThread()) {
    task();
    return;
  }
  auto run = [task = std::move(task)] {
    TakeOver();
    task();
  };
  HandOver();
  QMetaObject::invokeMethod(context ? context : QCoreApplication::instance(), std::move(run), Qt::QueuedConnection);
}

void WakeUiThread() {
  if (started.load()) QMetaObject::invokeMethod(QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
}

void WaitWhile(const std::function<bool()>& busy) {
  RequireUiThread("WaitWhile");
  while (busy()) {
    // Work handed over, or the wake-up that follows the change, always arrives
    // as an event, so the wait cannot miss the end.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  }
}

void Pause(int milliseconds) {
  const int ms = static_cast<int>(milliseconds * pauseScale.load());
  if (!IsUiThread()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  ++pauseDepth;
  QElapsedTimer clock;
  clock.start();
  QTimer deadline;  // wakes the wait below when the time is up
  deadline.setSingleShot(true);
  deadline.setTimerType(Qt::PreciseTimer);
  for (qint64 left; (left = ms - clock.elapsed()) > 0;) {
    if (!deadline.isActive()) deadline.start(static_cast<int>(left));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  }
  if (--pauseDepth == 0 && !afterPauses.empty()) {
    auto waiting = std::move(afterPauses);
    afterPauses.clear();
    for (auto& [context, fn] : waiting)
      if (context) QTimer::singleShot(0, context, std::move(fn));
  }
}

int PauseDepth() { return pauseDepth; }

void SetPauseScale(double scale) { pauseScale.store(scale); }

void RunAfterPauses(QObject* context, std::function<void()> fn) {
  if (pauseDepth == 0) {
    QTimer::singleShot(0, context, std::move(fn));
    return;
  }
  afterPauses.emplace_back(context, std::move(fn));
}
