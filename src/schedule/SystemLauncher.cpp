#include "schedule/ScheduleSeams.h"
#include "shell/RunAndWait.h"

namespace {

// The window-show code of a normal window.
constexpr uint16_t ShowNormal = 1;

class RunAndWaitLauncher final : public CompactorLauncher {
public:
  bool RunAndWait(const std::string& commandLine) override {
    return ::RunAndWait(commandLine, ShowNormal);
  }
};

}  // namespace

CompactorLauncher& SystemCompactorLauncher() {
  static RunAndWaitLauncher launcher;
  return launcher;
}
