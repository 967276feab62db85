// Writes of the profile store: what changes in the file, what stays byte for byte, and
// failed writes that leave the old file as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "base/Exceptions.h"
#include "profile/IniFile.h"
#include "support/TempDir.h"

namespace {

std::string FixtureBytes(const std::string& name) {
  return TempDir::Read(std::string(BRENVOLL_TEST_DATA) + "/profile/" + name);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

size_t FilesIn(const std::string& folder) {
  auto entries = std::filesystem::directory_iterator(folder);
  return static_cast<size_t>(std::distance(begin(entries), end(entries)));
}

TEST(IniFileWrite, ChangesOnlyTheWrittenLine) {
  struct Case {
    const char* label;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
  };
  const Case cases[] = {
      {"new file", nullptr, "Defaults", "Repair", "1", "[Defaults]\r\nRepair=1\r\n"},
      {"existing key in the middle", "[S]\r\nA=1\r\nB=2\r\nC=3\r\n", "s", "b", "x",
       "[S]\r\nA=1\r\nB=x\r\nC=3\r\n"},
      {"blanked key keeps its name, loses its blanks", "[S]\r\n  Key = old \r\n", "S", "KEY", "new",
       "[S]\r\nKey=new\r\n"},
      {"missing key after the section's last line", "[S]\r\nA=1\r\n\r\n[T]\r\nB=2\r\n", "S", "N",
       "v", "[S]\r\nA=1\r\nN=v\r\n\r\n[T]\r\nB=2\r\n"},
      {"missing key in an empty section", "[S]\r\n[T]\r\n", "S", "N", "v",
       "[S]\r\nN=v\r\n[T]\r\n"},
      {"missing key at the end without a line break", "[S]\r\nA=1", "S", "N", "v",
       "[S]\r\nA=1\r\nN=v\r\n"},
      {"missing section appended", "; top\r\n[S]\r\nA=1\r\n", "T", "N", "v",
       "; top\r\n[S]\r\nA=1\r\n[T]\r\nN=v\r\n"},
      {"missing section after a last line without break", "[S]\r\nA=1", "T", "N", "v",
       "[S]\r\nA=1\r\n[T]\r\nN=v\r\n"},
      {"first duplicate key changes", "[S]\r\nD=1\r\nD=2\r\n", "S", "D", "3",
       "[S]\r\nD=3\r\nD=2\r\n"},
      {"first duplicate section takes the key", "[S]\r\nA=1\r\n[S]\r\nB=2\r\n", "S", "B", "3",
       "[S]\r\nA=1\r\nB=3\r\n[S]\r\nB=2\r\n"},
      {"LF lines kept, written line CR LF", "[S]\n  A=1\nB=2\n", "S", "B", "3",
       "[S]\n  A=1\nB=3\r\n"},
      {"CR lines kept", "[S]\rA=1\rB=2\r", "S", "A", "0", "[S]\rA=0\r\nB=2\r"},
      {"byte-order mark kept", "\xEF\xBB\xBF[S]\r\nA=1\r\n", "S", "A", "2",
       "\xEF\xBB\xBF[S]\r\nA=2\r\n"},
      {"byte-order mark alone", "\xEF\xBB\xBF", "S", "A", "2", "\xEF\xBB\xBF[S]\r\nA=2\r\n"},
      {"value written as given", "[S]\r\n", "S", "A", " x ", "[S]\r\nA= x \r\n"},
      {"empty key name", "[S]\r\n=old\r\n", "S", "", "new", "[S]\r\n=new\r\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::string path = dir.File("w.ini");
    std::filesystem::remove(path);
    if (c.before != nullptr) {
      dir.Write("w.ini", c.before);
    }
    TIniFile(path).WriteText(c.section, c.key, c.value);
    EXPECT_EQ(TempDir::Read(path), c.after) << c.label;
  }
}

TEST(IniFileWrite, FixtureKeepsEveryOtherByte) {
  TempDir dir;
  std::string original = FixtureBytes("mixed.ini");
  std::string path = dir.Write("mixed.ini", original);
  TIniFile ini(path);
  ini.WriteText("DEFAULTS", "timerinterval", "30");
  EXPECT_EQ(TempDir::Read(path), Replaced(original, "  TimerInterval = 15 \r\n", "TimerInterval=30\r\n"));
  ini.WriteText("Paths", "Help", "x.hlp");
  EXPECT_EQ(ini.ReadText("Paths", "Help", ""), "x.hlp");
  EXPECT_EQ(TempDir::Read(path),
            Replaced(Replaced(original, "  TimerInterval = 15 \r\n", "TimerInterval=30\r\n"),
                     "msaccess.exe\r\n", "msaccess.exe\r\nHelp=x.hlp\r\n"));
}

TEST(IniFileWrite, TypedWritesAndFlags) {
  FormatSettings saved = ProcessFormatSettings();
  UseStartupDateSettings();
  TempDir dir;
  std::string path = dir.File("typed.ini");
  TIniFile ini(path);
  using namespace std::chrono;
  ini.WriteFlag("Defaults", "Repair", true);
  ini.WriteFlag("Defaults", "Scramble", false);
  ini.WriteNumber("Defaults", "Count", -42);
  ini.WriteDateValue("Defaults", "Date", year{2004} / March / 5);
  ini.WriteDateTimeValue("Defaults", "Stamp",
                         local_days{year{2004} / March / 5} + hours{9} + minutes{5});
  ini.WriteTimeValue("Defaults", "Time", hours{23} + minutes{59} + seconds{58});
  ini.WriteRealValue("Defaults", "Real", 0.1);
  EXPECT_EQ(TempDir::Read(path),
            "[Defaults]\r\nRepair=1\r\nScramble=0\r\nCount=-42\r\nDate=2004/03/05\r\n"
            "Stamp=2004/03/05 09:05:00\r\nTime=23:59:58\r\nReal=0.1\r\n");
  ProcessFormatSettings() = saved;
}

TEST(IniFileWrite, TwoStoresSeeEachOthersWrites) {
  TempDir dir;
  std::string path = dir.File("shared.ini");
  TIniFile first(path);
  TExInifile second(path);
  first.WriteText("S", "A", "1");
  EXPECT_EQ(second.ReadText("S", "A", ""), "1");
  second.WriteText("S", "A", "2");
  EXPECT_EQ(first.ReadText("S", "A", ""), "2");
}

TEST(IniFileWrite, RemoveSectionAndKey) {
  TempDir dir;
  std::string path = dir.Write("r.ini", "; c\r\n[A]\r\nX=1\r\n; a\r\n\r\n[B]\r\nY=2\r\nZ=3\r\n[A]\r\nX=9\r\n");
  TIniFile ini(path);
  ini.RemoveKey("b", "y");
  EXPECT_EQ(TempDir::Read(path), "; c\r\n[A]\r\nX=1\r\n; a\r\n\r\n[B]\r\nZ=3\r\n[A]\r\nX=9\r\n");
  ini.RemoveSection("a");
  EXPECT_EQ(TempDir::Read(path), "; c\r\n[B]\r\nZ=3\r\n[A]\r\nX=9\r\n");
  ini.RemoveKey("Nowhere", "Z");
  ini.RemoveSection("Nowhere");
  EXPECT_EQ(TempDir::Read(path), "; c\r\n[B]\r\nZ=3\r\n[A]\r\nX=9\r\n");
  TIniFile missing(dir.File("missing.ini"));
  missing.RemoveSection("A");
  missing.RemoveKey("A", "X");
  missing.Flush();
  EXPECT_FALSE(std::filesystem::exists(dir.File("missing.ini")));
}

TEST(IniFileWrite, KeepsPermissionBitsAndWritesThroughLinks) {
  TempDir dir;
  std::string target = dir.Write("target.ini", "[S]\r\nA=1\r\n");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  std::string link = dir.File("link.ini");
  ASSERT_EQ(::symlink("target.ini", link.c_str()), 0);
  TIniFile(link).WriteText("S", "A", "2");
  struct stat info;
  ASSERT_EQ(::lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(TempDir::Read(target), "[S]\r\nA=2\r\n");
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

// A write that cannot be done raises "Unable to write to <file>" from WriteText and
// nothing from WriteLongValue, and leaves the old file (or no file) as it was.
TEST(IniFileWrite, FailedWritesLeaveTheOldFile) {
  TempDir dir;
  std::string regular = dir.Write("plain.txt", "not a folder");
  struct Case {
    const char* label;
    std::string fileName;
    std::string section, key, value;
  };
  const std::string existing = dir.Write("keep.ini", "[S]\r\nA=1\r\n");
  const Case cases[] = {
      {"missing folder", dir.File("nowhere/settings.ini"), "S", "A", "1"},
      {"path through a regular file", regular + "/settings.ini", "S", "A", "1"},
      {"empty file name", "", "S", "A", "1"},
      {"value with a line break", existing, "S", "A", "2\r\n[Injected]"},
      {"key with =", existing, "S", "A=B", "2"},
      {"section with ]", existing, "S]", "A", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    try {
      TIniFile(c.fileName).WriteText(c.section, c.key, c.value);
      ADD_FAILURE() << c.label << ": no error";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.Message(), "Unable to write to " + c.fileName) << c.label;
    }
    WriteLongValue(c.section, c.key, c.value, c.fileName);
    EXPECT_EQ(TempDir::Read(existing), "[S]\r\nA=1\r\n") << c.label;
    EXPECT_EQ(TempDir::Read(regular), "not a folder") << c.label;
    EXPECT_EQ(FilesIn(dir.Path()), 2u) << c.label;
  }
}

// Runs in a child: a file-size limit stands in for a full disk (writes fail with EFBIG).
// Exits 0 when WriteLongValue is silent and WriteText raises the write error.
[[noreturn]] void WriteUnderFileSizeLimit(const std::string& path) {
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit;
  limit.rlim_cur = limit.rlim_max = 64;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  WriteLongValue("S", "A", std::string(500, 'x'), path);
  try {
    TIniFile(path).WriteText("S", "A", std::string(500, 'x'));
  } catch (const EIniFileException& e) {
    _exit(e.Message() == "Unable to write to " + path ? 0 : 2);
  }
  _exit(1);
}

TEST(IniFileWrite, FullDiskLeavesTheOldFile) {
  TempDir dir;
  const std::string original = "[S]\r\nA=1\r\n";
  std::string path = dir.Write("full.ini", original);
  EXPECT_EXIT(WriteUnderFileSizeLimit(path), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(TempDir::Read(path), original);
  EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

}  // namespace
