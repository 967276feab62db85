#pragma once
// A clock that says what the test sets, and a launcher that records command lines instead
// of starting programs (optionally doing something while "the compactor runs").

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "schedule/ScheduleSeams.h"

inline TDate Day(int y, unsigned m, unsigned d) {
  return TDate{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
}

class FakeClock final : public ScheduleClock {
public:
  TDate Today() const override { return today; }
  int CurrentHour() const override { return hour; }

  TDate today = Day(2004, 3, 20);
  int hour = 1;
};

class RecordingLauncher final : public CompactorLauncher {
public:
  bool RunAndWait(const std::string& commandLine) override {
    commandLines.push_back(commandLine);
    if (whileRunning) whileRunning();
    return starts;
  }

  bool starts = true;                  // whether the program "could be started"
  std::function<void()> whileRunning;  // runs before the launcher returns
  std::vector<std::string> commandLines;
};
