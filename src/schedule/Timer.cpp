#include "schedule/Timer.h"

TTimer::TTimer(QObject* parent) : QObject(parent) {
  // A coarse timer may be 5% late, three minutes of an hour: too much for a start hour.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &TTimer::Timer);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(int32_t milliseconds) {
  if (milliseconds == interval_) return;
  interval_ = milliseconds;
  Restart();
}

void TTimer::Restart() {
  timer_.stop();
  // Qt would fire a 0 interval continuously; the platform timer stops instead.
  if (enabled_ && interval_ > 0) timer_.start(interval_);
}
