// The reference compactor run on configurations written by WriteCompactionConfig, with
// fake programs that record their arguments: the Access program, wine and xdg-open.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "config/CompactionConfig.h"
#include "support/TempDir.h"

namespace {

using Lines = std::vector<std::string>;

const std::string Compactor = BRENVOLL_APP_DIR "Brenvoll.exe";

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// A program that appends each argument as a line to record, then "--"; it ends with exit
// code 3 when its first argument contains "bad".
std::string WriteRecorder(const TempDir& dir, const std::string& name, const std::string& record) {
  const std::string path = dir.Write(
      name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> " + ShellQuoted(record) +
                "\necho -- >> " + ShellQuoted(record) +
                "\ncase \"$1\" in *bad*) exit 3;; esac\nexit 0\n");
  chmod(path.c_str(), 0755);
  return path;
}

// Everything the compactor was run with: a folder of fakes first on PATH.
class CompactorRun {
public:
  CompactorRun() {
    access_ = WriteRecorder(dir_, "access.sh", dir_.File("access.log"));
    WriteRecorder(dir_, "wine", dir_.File("access.log"));
    WriteRecorder(dir_, "xdg-open", dir_.File("opened.log"));
  }

  const TempDir& Dir() const { return dir_; }
  const std::string& AccessProgram() const { return access_; }

  // Runs the compactor with these arguments; its exit code, its output in Output().
  int Run(const std::vector<std::string>& arguments) {
    std::string command = "PATH=" + ShellQuoted(dir_.Path()) + ":\"$PATH\" " + ShellQuoted(Compactor);
    for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    output_.clear();
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output_.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  const std::string& Output() const { return output_; }
  Lines AccessCalls() const { return LinesOf(dir_.File("access.log")); }
  Lines Opened() const { return LinesOf(dir_.File("opened.log")); }

private:
  static Lines LinesOf(const std::string& path) {
    Lines lines;
    std::istringstream in(TempDir::Read(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  TempDir dir_;
  std::string access_;
  std::string output_;
};

class ReferenceCompactor : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(Compactor)) << Compactor << " is missing: build brenvoll_compactor";
  }
};

TEST_F(ReferenceCompactor, RunsAccessWithTheConfiguredSwitches) {
  struct Case {
    const char* label;
    CompactionConfig config;  // AccessPath is set to the fake Access program
    Lines calls;
    int exitCode;
  };
  const Case cases[] = {
      {"every switch, two databases",
       {.CompactFiles = {"/db/one.mdb", "/db/two.mdb"}, .Repair = true, .Workgroup = "/sec/system.mdw",
        .Login = "admin", .Password = "pa ss$1"},
       {"/db/one.mdb", "/compact", "/repair", "/wrkgrp", "/sec/system.mdw", "/user", "admin", "/pwd", "pa ss$1", "--",
        "/db/two.mdb", "/compact", "/repair", "/wrkgrp", "/sec/system.mdw", "/user", "admin", "/pwd", "pa ss$1", "--"},
       0},
      {"scrambled password reaches Access in plain form",
       {.CompactFiles = {"/db/one.mdb"}, .Login = "admin", .Password = "Secr3t!", .Encrypt = true},
       {"/db/one.mdb", "/compact", "/user", "admin", "/pwd", "Secr3t!", "--"}, 0},
      {"no optional switches", {.CompactFiles = {"/db/one.mdb"}}, {"/db/one.mdb", "/compact", "--"}, 0},
      {"failures are counted and the rest still run",
       {.CompactFiles = {"/db/bad1.mdb", "/db/good.mdb", "/db/bad2.mdb", "/db/bad3.mdb"}},
       {"/db/bad1.mdb", "/compact", "--", "/db/good.mdb", "/compact", "--", "/db/bad2.mdb", "/compact", "--",
        "/db/bad3.mdb", "/compact", "--"},
       3},
      {"no databases", {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CompactorRun run;
    CompactionConfig config = c.config;
    config.AccessPath = run.AccessProgram();
    const std::string path = run.Dir().File("job.cfg");
    WriteCompactionConfig(path, config);
    EXPECT_EQ(run.Run({path}), c.exitCode) << run.Output();
    EXPECT_EQ(run.AccessCalls(), c.calls);
  }
}

TEST_F(ReferenceCompactor, ReportsEachDatabase) {
  CompactorRun run;
  CompactionConfig config;
  config.CompactFiles = {"/db/good.mdb", "/db/bad.mdb"};
  config.AccessPath = run.AccessProgram();
  WriteCompactionConfig(run.Dir().File("job.cfg"), config);
  EXPECT_EQ(run.Run({run.Dir().File("job.cfg")}), 1);
  EXPECT_EQ(run.Output(),
            "Compacted: /db/good.mdb\n"
            "Failed: /db/bad.mdb (Access ended with exit code 3)\n");
}

TEST_F(ReferenceCompactor, WindowsProgramPathRunsUnderWine) {
  CompactorRun run;
  CompactionConfig config;
  config.CompactFiles = {"C:\\db\\one.mdb"};
  config.AccessPath = "C:\\Program Files\\Office\\Msaccess.exe";
  WriteCompactionConfig(run.Dir().File("job.cfg"), config);
  EXPECT_EQ(run.Run({run.Dir().File("job.cfg")}), 0) << run.Output();
  EXPECT_EQ(run.AccessCalls(),
            (Lines{"C:\\Program Files\\Office\\Msaccess.exe", "C:\\db\\one.mdb", "/compact", "--"}));
}

TEST_F(ReferenceCompactor, AccessThatCannotStartIsAFailure) {
  CompactorRun run;
  CompactionConfig config;
  config.CompactFiles = {"/db/one.mdb", "/db/two.mdb"};
  config.AccessPath = run.Dir().File("no-such-access");
  WriteCompactionConfig(run.Dir().File("job.cfg"), config);
  EXPECT_EQ(run.Run({run.Dir().File("job.cfg")}), 2);
  EXPECT_NE(run.Output().find("Failed: /db/one.mdb (cannot start \"" + config.AccessPath + "\")"),
            std::string::npos)
      << run.Output();
}

TEST_F(ReferenceCompactor, OpensTheLaunchFileAfterwards) {
  CompactorRun run;
  CompactionConfig config;
  config.CompactFiles = {"/db/one.mdb"};
  config.AccessPath = run.AccessProgram();
  config.LaunchFile = "/reports/after compaction.txt";
  WriteCompactionConfig(run.Dir().File("job.cfg"), config);
  EXPECT_EQ(run.Run({run.Dir().File("job.cfg")}), 0) << run.Output();
  EXPECT_EQ(run.Opened(), (Lines{"/reports/after compaction.txt", "--"}));
}

TEST_F(ReferenceCompactor, ConfigurationPathWithBlanks) {
  struct Case {
    const char* label;
    bool quotedAsOne;  // else split at the blank, as a launcher splitting its line gives it
  };
  for (const Case& c : {Case{"split at the blank", false}, Case{"one argument in quotes", true}}) {
    SCOPED_TRACE(c.label);
    CompactorRun run;
    std::filesystem::create_directory(run.Dir().File("My Configs"));
    CompactionConfig config;
    config.CompactFiles = {"/db/one.mdb"};
    config.AccessPath = run.AccessProgram();
    WriteCompactionConfig(run.Dir().File("My Configs/job.cfg"), config);
    const std::vector<std::string> arguments =
        c.quotedAsOne ? std::vector<std::string>{"\"" + run.Dir().File("My Configs/job.cfg") + "\""}
                      : std::vector<std::string>{run.Dir().File("My"), "Configs/job.cfg"};
    EXPECT_EQ(run.Run(arguments), 0) << run.Output();
    EXPECT_EQ(run.AccessCalls(), (Lines{"/db/one.mdb", "/compact", "--"}));
  }
}

TEST_F(ReferenceCompactor, MissingOrUnreadableConfigurationIsAUsageError) {
  struct Case {
    const char* label;
    std::vector<std::string> arguments;
  };
  CompactorRun run;
  const Case cases[] = {
      {"no argument", {}},
      {"missing file", {run.Dir().File("none.cfg")}},
      {"a folder", {run.Dir().Path()}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(run.Run(c.arguments), 2);
    EXPECT_NE(run.Output().find("usage: Brenvoll.exe <configuration file>"), std::string::npos)
        << run.Output();
    EXPECT_TRUE(run.AccessCalls().empty());
  }
}

}  // namespace
