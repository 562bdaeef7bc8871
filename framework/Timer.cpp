#include "framework/Timer.h"

#include <QTimer>

#include "framework/UiThread.h"

TTimer::TTimer(int intervalMs, std::function<void()> tick) : timer_(std::make_unique<QTimer>()) {
  RequireUiThread("TTimer");
  timer_->setInterval(intervalMs);
  QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), std::move(tick));
}

TTimer::~TTimer() = default;

void TTimer::Start() { timer_->start(); }

void TTimer::Stop() { timer_->stop(); }

bool TTimer::IsRunning() const { return timer_->isActive(); }
