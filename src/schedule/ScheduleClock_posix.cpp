#include <ctime>

#include "schedule/ScheduleSeams.h"

namespace {

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

class LocalScheduleClock final : public ScheduleClock {
public:
  TDate Today() const override {
    const std::tm local = LocalNow();
    return TDate{std::chrono::year{local.tm_year + 1900},
                 std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                 std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  }
  int CurrentHour() const override { return LocalNow().tm_hour; }
};

}  // namespace

const ScheduleClock& SystemScheduleClock() {
  static const LocalScheduleClock clock;
  return clock;
}
