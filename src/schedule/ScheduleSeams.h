#pragma once
// What the scheduler asks of the world: the local calendar and clock, and the launcher
// that runs the compactor. The program uses the system's; tests give fixed days and hours
// and record the command lines instead of starting programs.
//
// Interface thread only; none of these may run in a signal handler.

#include <string>

#include "base/FormatSettings.h"

class ScheduleClock {
public:
  virtual ~ScheduleClock() = default;
  // Today's date on the local calendar.
  virtual TDate Today() const = 0;
  // The hour of the local time, 0 to 23.
  virtual int CurrentHour() const = 0;
};

class CompactorLauncher {
public:
  virtual ~CompactorLauncher() = default;
  // Runs the command line in a normal window and returns once the program has ended:
  // true when it could be started and waited for (whatever its exit code), else false.
  virtual bool RunAndWait(const std::string& commandLine) = 0;
};

// The local clock of this machine.
const ScheduleClock& SystemScheduleClock();
// The shell's run-and-wait launcher.
CompactorLauncher& SystemCompactorLauncher();
