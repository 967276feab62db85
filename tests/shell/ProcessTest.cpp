#include "shell/Process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>

#include "shell/RunAndWait.h"
#include "FakeProgram.h"
#include "support/TempDir.h"

namespace {
// True when the test process has no child left to collect (no zombie).
bool NoChildLeft() {
  int status;
  return waitpid(-1, &status, WNOHANG) == -1 && errno == ECHILD;
}

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(SpawnAndWait, ReportsTheExitCodeOrThatNothingStarted) {
  TempDir dir;
  std::string three = WriteFakeProgram(dir, "three", dir.File("rec"), 3);
  std::string text = dir.Write("not-a-program", "just text\n");
  chmod(text.c_str(), 0755);
  std::string plain = dir.Write("not-executable", "#!/bin/sh\nexit 0\n");
  struct Case {
    const char* label;
    std::vector<std::string> argv;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {"exit code 3", {three}, 3},
      {"found on PATH", {"true"}, 0},
      {"missing program", {dir.File("missing")}, std::nullopt},
      {"missing on PATH", {"brenvoll-no-such-program"}, std::nullopt},
      {"text file marked executable", {text}, std::nullopt},
      {"file without execute right", {plain}, std::nullopt},
      {"a folder", {dir.Path()}, std::nullopt},
      {"no program at all", {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(SpawnAndWait(c.argv), c.expected) << "row: " << c.label;
    EXPECT_TRUE(NoChildLeft()) << "row: " << c.label;
  }
}

TEST(SpawnAndWait, KeepsTheCallersOpenFilesToItself) {
  TempDir dir;
  int fd = open(dir.File("held").c_str(), O_CREAT | O_WRONLY, 0644);  // no O_CLOEXEC
  ASSERT_GE(fd, 3);
  std::string probe = dir.Write("probe", "#!/bin/sh\ntest -e /dev/fd/" + std::to_string(fd) +
                                             " && exit 1\nexit 0\n");
  chmod(probe.c_str(), 0755);
  EXPECT_EQ(SpawnAndWait({probe}), 0) << "descriptor " << fd << " reached the child";
  close(fd);
}

TEST(RunAndWait, RunsTheProgramOfAWindowsCommandLineWithoutAShell) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("my tools").c_str(), 0755), 0);
  std::string record = dir.File("rec");
  std::string program = WriteFakeProgram(dir, "my tools/Brenvoll.exe", record);
  std::string exit3 = WriteFakeProgram(dir, "three", record, 3);
  std::string pwned = dir.File("pwned");
  struct Case {
    const char* label;
    std::string line;
    bool started;
    std::string arguments;
  };
  const Case cases[] = {
      {"unquoted program path with a blank", program + " /cfg/a.cfg", true, Lines({"/cfg/a.cfg"})},
      {"quoted program and argument", "\"" + program + "\" \"/my cfg/a b.cfg\"", true,
       Lines({"/my cfg/a b.cfg"})},
      {"exit code 3 still counts as run", exit3 + " x", true, Lines({"x"})},
      {"shell syntax is plain text", exit3 + " x;touch " + pwned + " $(touch " + pwned + ")",
       true, Lines({"x;touch", pwned, "$(touch", pwned + ")"})},
      {"missing program", dir.File("missing.exe") + " /cfg/a.cfg", false, ""},
      {"empty line", "", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    unlink(record.c_str());
    EXPECT_EQ(RunAndWait(c.line, 1), c.started) << "row: " << c.label;
    // The record is complete on return: the call waited for the program's end.
    EXPECT_EQ(TempDir::Read(record), c.arguments) << "row: " << c.label;
    EXPECT_TRUE(NoChildLeft()) << "row: " << c.label;
  }
  EXPECT_NE(access(pwned.c_str(), F_OK), 0) << "a shell interpreted the command line";
}

TEST(RunAndWait, StartsInTheCallersFolderAndAcceptsLongLines) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("work").c_str(), 0755), 0);
  std::string record = dir.File("rec");
  std::string program = WriteFakeProgram(dir, "prog", record);
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(dir.File("work").c_str()), 0);
  std::string longArgument(4000, 'a');
  bool started = RunAndWait(program + " " + longArgument, 1);
  ASSERT_EQ(chdir(previous), 0);
  EXPECT_TRUE(started);
  EXPECT_EQ(TempDir::Read(record), longArgument + "\n");
  std::string cwd = TempDir::Read(record + ".cwd");
  EXPECT_EQ(cwd.substr(cwd.size() < 6 ? 0 : cwd.size() - 6), "/work\n");
}
}  // namespace
