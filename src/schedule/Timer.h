#pragma once
// The scheduler's interval timer with the platform timer's rules: it ticks while it is
// enabled and its interval is not 0; every change of the interval, and every change from
// disabled to enabled, starts a full interval anew. Ticks that fall due while the
// interface thread is blocked are not queued: at most one follows.
//
// Interface thread only.

#include <QObject>
#include <QTimer>
#include <cstdint>

class TTimer : public QObject {
  Q_OBJECT
public:
  explicit TTimer(QObject* parent = nullptr);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Milliseconds; 0 stops the ticks.
  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t milliseconds);

  // Whether ticks come (enabled with an interval above 0).
  bool Ticking() const { return timer_.isActive(); }

signals:
  void Timer();

private:
  void Restart();

  QTimer timer_;
  bool enabled_ = false;
  int32_t interval_ = 0;
};
