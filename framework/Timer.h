// TTimer: calls a function on the UI thread every so many milliseconds while
// it runs, or once after a given time. Made, started and stopped on the UI
// thread.
#pragma once

#include <functional>
#include <memory>

class QTimer;

class TTimer {
 public:
  TTimer(int intervalMs, std::function<void()> tick);
  ~TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;

  void Start();
  // Calls the function once, `ms` milliseconds from now (at the next turn of
  // the event loop for 0), instead of every interval.
  void StartOnce(int ms);
  void Stop();
  bool IsRunning() const;

 private:
  std::unique_ptr<QTimer> timer_;
  int intervalMs_;
};
