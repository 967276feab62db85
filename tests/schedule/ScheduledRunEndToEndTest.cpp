// A timer tick of the scheduler window with the real launcher and the reference compactor
// beside the program: the due row's configuration is compacted by a fake Access program
// that records its arguments, and the day of the run reaches the schedule file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>
#include <string>
#include <vector>

#include "config/CompactionConfig.h"
#include "profile/IsoDate.h"
#include "schedule/SchedWindowFixture.h"
#include "schedule/Timer.h"

namespace {

using Lines = std::vector<std::string>;

class ScheduledRun : public SchedWindowFixture {
protected:
  void SetUp() override {
    clock.today = SystemScheduleClock().Today();
    compactor = BRENVOLL_APP_DIR "Brenvoll.exe";
    const std::string access = dir.Write(
        "access.sh", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" +
                         dir.File("access.log") + "'\n");
    chmod(access.c_str(), 0755);
    WriteJob("sales.cfg", {dir.File("sales.mdb"), dir.File("orders.mdb")}, access);
    WriteJob("stock.cfg", {dir.File("stock.mdb")}, access);
    today_ = DateToIsoText(clock.today);
  }

  void WriteJob(const std::string& name, const Lines& databases, const std::string& access) {
    CompactionConfig config;
    config.CompactFiles = databases;
    config.AccessPath = access;
    WriteCompactionConfig(dir.File(name), config);
  }

  Lines AccessCalls() const {
    Lines lines;
    std::istringstream in(TempDir::Read(dir.File("access.log")));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  void Tick() {
    window = std::make_unique<TfrmSched>(Host(), clock, SystemCompactorLauncher());
    emit window->Timer1->Timer();
  }

  std::string today_;
};

TEST_F(ScheduledRun, DueRowRunsTheCompactorAndTheFileGetsTheDay) {
  WriteSchedule({"Sales\t" + dir.File("sales.cfg") + "\td|1|2004-03-15",
                 "Stock\t" + dir.File("stock.cfg") + "\td|1|" + today_});
  Tick();
  EXPECT_EQ(AccessCalls(), (Lines{dir.File("sales.mdb"), "/compact", dir.File("orders.mdb"), "/compact"}));
  EXPECT_EQ(Code(1), "d|1|" + today_);
  EXPECT_EQ(ScheduleFile(), "Sales\t" + dir.File("sales.cfg") + "\td|1|" + today_ + "\r\n" +
                                "Stock\t" + dir.File("stock.cfg") + "\td|1|" + today_ + "\r\n");
  EXPECT_TRUE(errors.empty());
}

TEST_F(ScheduledRun, CompactorPathNamingNoProgramRecordsNothing) {
  compactor = dir.File("missing/Brenvoll.exe");
  const std::string schedule = "Sales\t" + dir.File("sales.cfg") + "\td|1|2004-03-15";
  WriteSchedule({schedule});
  Tick();
  EXPECT_EQ(Code(1), "d|1|2004-03-15");
  EXPECT_EQ(ScheduleFile(), schedule + "\r\n");
  EXPECT_TRUE(AccessCalls().empty());
}

}  // namespace
