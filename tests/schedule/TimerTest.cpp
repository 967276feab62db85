#include "schedule/Timer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace {

TEST(SchedulerTimer, TicksOnlyWhenEnabledWithAnIntervalAboveZero) {
  struct Step {
    const char* label;
    bool enabled;
    int32_t interval;
    bool ticking;
  };
  const Step steps[] = {
      {"created disabled", false, 60000, false},
      {"enabled", true, 60000, true},
      {"interval 0 stops the ticks", true, 0, false},
      {"an interval again starts them", true, 1800000, true},
      {"disabled", false, 1800000, false},
  };
  TTimer timer;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.label);
    timer.SetInterval(s.interval);
    timer.SetEnabled(s.enabled);
    EXPECT_EQ(timer.Ticking(), s.ticking);
  }
}

TEST(SchedulerTimer, TicksMissedWhileTheThreadIsBlockedAreNotQueued) {
  TTimer timer;
  int ticks = 0;
  QObject::connect(&timer, &TTimer::Timer, [&] {
    // The first tick blocks as a compactor run does, for twenty intervals.
    if (ticks++ == 0) QThread::msleep(200);
  });
  timer.SetInterval(10);
  timer.SetEnabled(true);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 260) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  // Queued ticks would add twenty; without them about six follow the block.
  EXPECT_GE(ticks, 2);
  EXPECT_LT(ticks, 15);
}

}  // namespace
