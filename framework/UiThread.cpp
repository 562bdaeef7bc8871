#include "framework/UiThread.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "framework/Internal.h"

namespace {

// A task handed over by another thread. The waiting thread and the UI thread
// meet through the mutex; a byte in the pipe wakes the UI thread's event loop.
// (No toolkit call is made off the UI thread, not even to post an event.)
struct THandOver {
  std::function<void()> Task;
  bool Finished = false;
  std::exception_ptr Error;
};

struct TUiThreadState {
  std::thread::id Id;
  int Pipe[2] = {-1, -1};
  QSocketNotifier* Notifier = nullptr;
  std::mutex Mutex;
  std::condition_variable Done;
  std::deque<THandOver*> Queue;
};

TUiThreadState& State() {
  static TUiThreadState state;
  return state;
}

std::atomic<bool> started{false};
int pauseDepth = 0;
std::atomic<double> pauseScale{1.0};
std::vector<std::pair<QPointer<QObject>, std::function<void()>>> afterPauses;

void Nudge() {
  const char byte = 1;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t n = write(State().Pipe[1], &byte, 1);
}

void RunHandedOver() {
  TUiThreadState& s = State();
  char buffer[64];
  while (read(s.Pipe[0], buffer, sizeof buffer) > 0) {
  }
  for (;;) {
    THandOver* item = nullptr;
    {
      std::lock_guard lock(s.Mutex);
      if (s.Queue.empty()) return;
      item = s.Queue.front();
      s.Queue.pop_front();
    }
    try {
      item->Task();
    } catch (...) {
      item->Error = std::current_exception();
    }
    {
      std::lock_guard lock(s.Mutex);
      item->Finished = true;
    }
    s.Done.notify_all();
  }
}

}  // namespace

void StartUiThread() {
  if (started.load()) return;
  TUiThreadState& s = State();
  s.Id = std::this_thread::get_id();
  if (pipe2(s.Pipe, O_NONBLOCK | O_CLOEXEC) != 0) {
    std::perror("varek: pipe");
    std::abort();
  }
  s.Notifier = new QSocketNotifier(s.Pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(s.Notifier, &QSocketNotifier::activated, s.Notifier, [] { RunHandedOver(); });
  started.store(true);
}

bool IsUiThread() { return started.load() && std::this_thread::get_id() == State().Id; }

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
  TUiThreadState& s = State();
  THandOver item;
  item.Task = task;
  {
    std::lock_guard lock(s.Mutex);
    s.Queue.push_back(&item);
  }
  Nudge();
  {
    std::unique_lock lock(s.Mutex);
    s.Done.wait(lock, [&] { return item.Finished; });
  }
  if (item.Error) std::rethrow_exception(item.Error);
}

void WakeUiThread() {
  if (started.load()) Nudge();
}

void WaitWhile(const std::function<bool()>& busy) {
  RequireUiThread("WaitWhile");
  while (busy()) {
    // Something handed over or a wake-up always arrives through the pipe, so
    // the wait cannot miss the end.
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
