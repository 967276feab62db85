#include "config/CompactionConfig.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Exceptions.h"
#include "support/TempDir.h"

namespace {

using Entries = std::vector<std::string>;

std::string ConfigFile(const TempDir& dir, const std::string& defaultsLines) {
  return dir.Write("job.cfg", "[Defaults]\r\n" + defaultsLines);
}

TEST(CompactionConfigList, WrittenEntriesAndWhatComesBack) {
  struct Case {
    const char* label;
    Entries written;
    const char* line;  // the CompactFiles line in the file
    Entries read;
  };
  const Case cases[] = {
      {"two paths, each followed by |", {"C:\\db\\one.mdb", "C:\\db\\two.mdb"},
       "CompactFiles=C:\\db\\one.mdb|C:\\db\\two.mdb|", {"C:\\db\\one.mdb", "C:\\db\\two.mdb"}},
      {"empty list", {}, "CompactFiles=", {}},
      {"blanks around an entry are lost", {" x.mdb "}, "CompactFiles= x.mdb |", {"x.mdb"}},
      {"an entry holding | comes back split", {"a|b.mdb"}, "CompactFiles=a|b.mdb|", {"a", "b.mdb"}},
      {"enclosing double quotes are lost", {"\"q.mdb\""}, "CompactFiles=\"q.mdb\"|", {"q.mdb"}},
      {"an empty entry ends the list", {"a.mdb", "", "b.mdb"}, "CompactFiles=a.mdb||b.mdb|", {"a.mdb"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    CompactionConfig config;
    config.CompactFiles = c.written;
    WriteCompactionConfig(dir.File("job.cfg"), config);
    EXPECT_NE(TempDir::Read(dir.File("job.cfg")).find(std::string(c.line) + "\r\n"), std::string::npos);
    EXPECT_EQ(ReadCompactionConfig(dir.File("job.cfg")).CompactFiles, c.read);
  }
}

TEST(CompactionConfigList, HandWrittenValues) {
  struct Case {
    const char* label;
    const char* value;
    Entries read;
  };
  const Case cases[] = {
      {"without the final |", "a.mdb|b.mdb", {"a.mdb", "b.mdb"}},
      {"a field of blanks ends the list", "a.mdb|   |b.mdb|", {"a.mdb"}},
      {"a quoted | belongs to the entry", "\"a|b.mdb\"|c.mdb|", {"a|b.mdb", "c.mdb"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    const std::string path = ConfigFile(dir, std::string("CompactFiles=") + c.value + "\r\n");
    EXPECT_EQ(ReadCompactionConfig(path).CompactFiles, c.read);
  }
}

TEST(CompactionConfigList, ValueBeyond32768CharactersIsCut) {
  // 400 entries of 100 characters and a "|": the 325th entry is cut after 44 characters.
  const std::string entry(100, 'p');
  std::string value;
  for (int i = 0; i < 400; ++i) value += entry + "|";
  TempDir dir;
  const Entries read = ReadCompactionConfig(ConfigFile(dir, "CompactFiles=" + value + "\r\n")).CompactFiles;
  ASSERT_EQ(read.size(), 325u);
  EXPECT_EQ(read[323], entry);
  EXPECT_EQ(read[324], std::string(32768 - 324 * 101, 'p'));
}

TEST(CompactionConfig, TextsBeyond2047CharactersAreCut) {
  TempDir dir;
  CompactionConfig config;
  config.Description = std::string(3000, 'd');
  WriteCompactionConfig(dir.File("job.cfg"), config);
  EXPECT_EQ(ReadCompactionConfig(dir.File("job.cfg")).Description, std::string(2047, 'd'));
}

TEST(CompactionConfig, NewFileHoldsTheLinesInWriteOrder) {
  CompactionConfig config;
  config.CompactFiles = {"C:\\db\\one.mdb"};
  config.AccessPath = "C:\\Office\\Msaccess.exe";
  config.Description = "Nightly";
  config.Repair = true;
  config.Workgroup = "C:\\sec\\system.mdw";
  config.Login = "admin";
  config.Password = "abc";
  config.Encrypt = true;
  config.LaunchFile = "C:\\report.txt";
  TempDir dir;
  WriteCompactionConfig(dir.File("job.cfg"), config);
  EXPECT_EQ(TempDir::Read(dir.File("job.cfg")),
            "[Defaults]\r\n"
            "CompactFiles=C:\\db\\one.mdb|\r\n"
            "AccessPath=C:\\Office\\Msaccess.exe\r\n"
            "Description=Nightly\r\n"
            "Repair=1\r\n"
            "Workgroup=C:\\sec\\system.mdw\r\n"
            "Login=admin\r\n"
            "Encrypt=1\r\n"
            "Password=fgh\r\n"
            "LaunchFile=C:\\report.txt\r\n");

  const CompactionConfig read = ReadCompactionConfig(dir.File("job.cfg"));
  EXPECT_EQ(read.CompactFiles, config.CompactFiles);
  EXPECT_EQ(read.AccessPath, "") << "the editor shows its own Access path";
  EXPECT_EQ(read.Description, config.Description);
  EXPECT_TRUE(read.Repair);
  EXPECT_EQ(read.Workgroup, config.Workgroup);
  EXPECT_EQ(read.Login, config.Login);
  EXPECT_EQ(read.Password, "abc");
  EXPECT_TRUE(read.Encrypt);
  EXPECT_EQ(read.LaunchFile, config.LaunchFile);
  EXPECT_EQ(ReadConfiguredAccessPath(dir.File("job.cfg")), config.AccessPath);
}

TEST(CompactionConfig, ExistingFileKeepsItsOtherLines) {
  TempDir dir;
  const std::string path = dir.Write(
      "job.cfg", TempDir::Read(BRENVOLL_TEST_DATA "/config/hand-edited.cfg"));
  CompactionConfig config = ReadCompactionConfig(path);
  config.Description = "changed";
  WriteCompactionConfig(path, config);
  EXPECT_EQ(TempDir::Read(path), TempDir::Read(BRENVOLL_TEST_DATA "/config/hand-edited.rewritten.cfg"));
}

TEST(CompactionConfig, MissingFileAndEmptyPathReadAsNewConfiguration) {
  TempDir dir;
  for (const std::string& path : {dir.File("none.cfg"), std::string()}) {
    SCOPED_TRACE("path '" + path + "'");
    const CompactionConfig read = ReadCompactionConfig(path);
    EXPECT_TRUE(read.CompactFiles.empty());
    EXPECT_EQ(read.Description, "");
    EXPECT_FALSE(read.Repair);
    EXPECT_FALSE(read.Encrypt);
    EXPECT_EQ(read.Password, "");
  }
}

TEST(CompactionConfig, PathLongerThan144CharactersKeepsTheList) {
  TempDir dir;
  std::string folder = dir.Path();
  while (folder.size() < 200) {
    folder += std::string(40, 'f') + "/";
    std::filesystem::create_directory(folder);
  }
  CompactionConfig config;
  config.CompactFiles = {"a.mdb"};
  WriteCompactionConfig(folder + "job.cfg", config);
  EXPECT_EQ(ReadCompactionConfig(folder + "job.cfg").CompactFiles, config.CompactFiles);
}

TEST(PasswordScrambling, EveryCodeComesBackAndLengthIsKept) {
  std::string all;
  for (int code = 0; code < 256; ++code) all += static_cast<char>(code);
  const std::string scrambled = ScramblePassword(all);
  ASSERT_EQ(scrambled.size(), all.size());
  EXPECT_EQ(static_cast<unsigned char>(scrambled[0]), PasswordShift);
  EXPECT_EQ(static_cast<unsigned char>(scrambled[255]), PasswordShift - 1) << "wraps modulo 256";
  EXPECT_EQ(UnscramblePassword(scrambled), all);
}

TEST(PasswordScrambling, StoredFormAndWhatComesBack) {
  enum Outcome { Survives, Lost, Refused };
  struct Case {
    const char* label;
    std::string password;
    bool encrypt;
    std::string line;  // the Password line in the file
    Outcome outcome;
  };
  const std::string toNewline(1, static_cast<char>('\n' - PasswordShift));
  const std::string toBlank(1, static_cast<char>(' ' - PasswordShift));
  const Case cases[] = {
      {"plain when not encrypted", "Secret 1", false, "Password=Secret 1", Survives},
      {"shifted when encrypted", "Secret", true, "Password=Xjhwjy", Survives},
      {"scrambled form ending in a blank", "ab" + toBlank, true, "Password=fg ", Lost},
      {"scrambled form in single quotes", "\"pw\"", true, "Password='u|'", Lost},
      {"scrambled form with a line break", "a" + toNewline + "b", true, "", Refused},
      {"scrambled form with NUL", std::string(1, static_cast<char>(256 - PasswordShift)), true, "",
       Refused},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    CompactionConfig config;
    config.Password = c.password;
    config.Encrypt = c.encrypt;
    if (c.outcome == Refused) {
      EXPECT_THROW(WriteCompactionConfig(dir.File("job.cfg"), config), EIniFileException);
      continue;
    }
    WriteCompactionConfig(dir.File("job.cfg"), config);
    EXPECT_NE(TempDir::Read(dir.File("job.cfg")).find(c.line + "\r\n"), std::string::npos);
    EXPECT_EQ(ReadCompactionConfig(dir.File("job.cfg")).Password == c.password, c.outcome == Survives);
  }
}

TEST(PasswordScrambling, HandWrittenPlainPasswordWithEncryptIsShiftedDown) {
  TempDir dir;
  const std::string path = ConfigFile(dir, "Encrypt=1\r\nPassword=fgh\r\n");
  EXPECT_EQ(ReadCompactionConfig(path).Password, "abc");
}

TEST(CompactionConfigWrite, FolderMissingRaisesWithThePath) {
  TempDir dir;
  const std::string path = dir.File("missing/job.cfg");
  try {
    WriteCompactionConfig(path, CompactionConfig{});
    FAIL() << "no error raised";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + path);
  }
}

TEST(CompactionConfigWrite, ValueTheFileCannotHoldLeavesTheFileAsItWas) {
  struct Case {
    const char* label;
    CompactionConfig config;
  };
  const Case cases[] = {
      {"database path with a line break", {.CompactFiles = {"a.mdb", "new\nline.mdb"}}},
      {"description with a carriage return", {.Description = "two\rlines"}},
      {"login with NUL", {.Login = std::string("ad\0min", 6)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    const std::string original = TempDir::Read(BRENVOLL_TEST_DATA "/config/hand-edited.cfg");
    const std::string path = dir.Write("job.cfg", original);
    try {
      WriteCompactionConfig(path, c.config);
      ADD_FAILURE() << "no error raised";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.Message(), "Unable to write to " + path);
    }
    EXPECT_EQ(TempDir::Read(path), original);
  }
}

// Run in a child process: the write with the file size limited to limit bytes, as on a
// full disk. Exit code 0 when it succeeded, 1 when it raised the write error for path.
int WriteOnFullDisk(const std::string& path, const CompactionConfig& config, rlim_t limit) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit fileSize{limit, limit};
  setrlimit(RLIMIT_FSIZE, &fileSize);
  try {
    WriteCompactionConfig(path, config);
    return 0;
  } catch (const EIniFileException& e) {
    return e.Message() == "Unable to write to " + path ? 1 : 2;
  }
}

TEST(CompactionConfigWrite, FullDiskPartway) {
  struct Case {
    const char* label;
    std::string list, description;
    bool raises;
    std::vector<const char*> keysInFile;
  };
  const Case cases[] = {
      {"list too long: unnoticed, the rest written", std::string(3000, 'l'), "short", false,
       {"AccessPath=", "Description=short", "LaunchFile="}},
      {"description too long: stops there", "a.mdb", std::string(3000, 'd'), true,
       {"CompactFiles=a.mdb|", "AccessPath="}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    const std::string path = dir.File("job.cfg");
    CompactionConfig config;
    config.CompactFiles = {c.list};
    config.Description = c.description;
    EXPECT_EXIT(std::_Exit(WriteOnFullDisk(path, config, 1024)),
                testing::ExitedWithCode(c.raises ? 1 : 0), "");
    const std::string file = TempDir::Read(path);
    for (const char* key : c.keysInFile) {
      EXPECT_NE(file.find(std::string(key) + "\r\n"), std::string::npos) << key;
    }
    if (c.raises) {
      EXPECT_EQ(file.find("Description="), std::string::npos) << file;
    } else {
      EXPECT_EQ(file.find("CompactFiles="), std::string::npos) << file;
    }
  }
}

}  // namespace
