// TTimer: calls a function on the UI thread every so many milliseconds while
// it runs. Made, started and stopped on the UI thread.
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
  void Stop();
  bool IsRunning() const;

 private:
  std::unique_ptr<QTimer> timer_;
};
