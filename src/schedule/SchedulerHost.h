#pragma once
// What the scheduler window needs of the program around it: the main window's
// application directory and compactor path field, and the application's error handling.

#include <functional>
#include <string>

struct SchedulerHost {
  // The application directory, ending in "/" (the main window's AppDir).
  std::function<std::string()> appDir;
  // The compactor path field of the main window, as it reads at this moment.
  std::function<std::string()> compactorPath;
  // Runs a window handler and reports what it raises, so that the handler ends at that
  // point and the window goes on.
  std::function<void(const std::function<void()>&)> runHandler;
};
