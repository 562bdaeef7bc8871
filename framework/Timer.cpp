#include "framework/Timer.h"

#include <QTimer>

#include "framework/UiThread.h"

TTimer::TTimer(int intervalMs, std::function<void()> tick)
    : timer_(std::make_unique<QTimer>()), intervalMs_(intervalMs) {
  RequireUiThread("TTimer");
  QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), std::move(tick));
}

TTimer::~TTimer() = default;

void TTimer::Start() {
  timer_->setSingleShot(false);
  timer_->setTimerType(Qt::CoarseTimer);
  timer_->start(intervalMs_);
}

void TTimer::StartOnce(int ms) {
  timer_->setSingleShot(true);
  timer_->setTimerType(Qt::PreciseTimer);  // the pauses of a move being shown are timed to the millisecond
  timer_->start(ms);
}

void TTimer::Stop() { timer_->stop(); }

bool TTimer::IsRunning() const { return timer_->isActive(); }
