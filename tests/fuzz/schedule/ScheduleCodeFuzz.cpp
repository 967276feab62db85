// Schedule codes come from the schedule file as the user left them: any bytes must either
// raise the conversion error or run by the due rule, and a run must leave a code that
// reads back to the same kind and count with today's date (unless the kind itself is a
// separator or a quote, which the field routine then reads as one).
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Exceptions.h"
#include "grid/CellTable.h"
#include "profile/IsoDate.h"
#include "profile/Numbers.h"
#include "profile/TextFields.h"
#include "schedule/ScheduleEntry.h"
#include "schedule/ScheduleRun.h"

namespace {

class FixedClock final : public ScheduleClock {
public:
  TDate Today() const override {
    return TDate{std::chrono::year{2004}, std::chrono::March, std::chrono::day{20}};
  }
  int CurrentHour() const override { return 1; }
};

class CountingLauncher final : public CompactorLauncher {
public:
  bool RunAndWait(const std::string&) override { return ++runs, true; }
  int runs = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // The first byte chooses forced or not; the rest is the code.
  const bool forced = (data[0] & 1) != 0;
  const std::string code(reinterpret_cast<const char*>(data) + 1, size - 1);
  CellTable table(4, 2, 1, 1);
  table.SetCell(CodeColumn, 1, code);
  FixedClock clock;
  CountingLauncher launcher;
  const ScheduleRunContext context{[] { return std::string("/bin/true"); }, launcher, clock, [] {}};
  bool ran = false;
  try {
    ran = RunEntryIfDue(table, 1, forced, context);
  } catch (const EConvertError&) {
    if (launcher.runs != 0) std::abort();
    return 0;
  }
  if (ran != (launcher.runs == 1)) std::abort();
  if (!ran) {
    if (table.Cell(CodeColumn, 1) != code) std::abort();
    return 0;
  }
  const std::string& after = table.Cell(CodeColumn, 1);
  if (after.front() != code.front()) std::abort();
  if (code.front() == '|' || code.front() == '"') return 0;
  if (TextToInt(ExtractField(after, '|', 1)) != TextToInt(ExtractField(code, '|', 1))) std::abort();
  if (ExtractField(after, '|', 2) != DateToIsoText(clock.Today())) std::abort();
  return 0;
}
