#include "shell/Shortcut.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "shell/Process.h"
#include "shell/UserDirs.h"
#include "support/TempDir.h"

namespace {
using Words = std::vector<std::string>;

// Reads a launcher back as a desktop would: key=value lines of the [Desktop Entry] group
// with the string escapes undone.
std::map<std::string, std::string> ReadEntry(const std::string& text) {
  std::map<std::string, std::string> keys;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    std::string line = text.substr(at, end - at);
    at = end == std::string::npos ? text.size() : end + 1;
    size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string value;
    for (size_t i = equals + 1; i < line.size(); ++i) {
      if (line[i] != '\\' || i + 1 == line.size()) {
        value += line[i];
        continue;
      }
      char next = line[++i];
      value += next == 's' ? ' ' : next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
    }
    keys[line.substr(0, equals)] = value;
  }
  return keys;
}

// Splits an unescaped Exec value by its quoting rules and undoes "%%".
Words ExecWords(const std::string& exec) {
  Words words;
  size_t at = 0;
  while (at < exec.size()) {
    if (exec[at] == ' ') {
      ++at;
      continue;
    }
    std::string word;
    if (exec[at] == '"') {
      for (++at; at < exec.size() && exec[at] != '"'; ++at) {
        if (exec[at] == '\\' && at + 1 < exec.size()) ++at;
        word += exec[at];
      }
      ++at;
    } else {
      while (at < exec.size() && exec[at] != ' ') word += exec[at++];
    }
    std::string unpercented;
    for (size_t i = 0; i < word.size(); ++i) {
      unpercented += word[i];
      if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') ++i;
    }
    words.push_back(unpercented);
  }
  return words;
}

bool IsExecutable(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && (info.st_mode & S_IXUSR);
}

// A home of its own for every test, with a desktop named by user-dirs.dirs.
class ShortcutTest : public testing::Test {
protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* value = std::getenv(name);
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
    }
    setenv("HOME", home_.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
    mkdir(home_.File(".config").c_str(), 0755);
    mkdir(home_.File("Bureau").c_str(), 0755);
    home_.Write(".config/user-dirs.dirs", "# written by xdg-user-dirs-update\n"
                                          "XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
  }

  std::string Desktop(const std::string& file) const { return home_.File("Bureau/" + file); }
  std::string Menu(const std::string& file) const {
    return home_.File(".local/share/applications/" + file);
  }

  // Checks one launcher with the freedesktop validator and returns its keys.
  std::map<std::string, std::string> Launcher(const std::string& path) const {
    EXPECT_TRUE(IsExecutable(path)) << path;
    EXPECT_EQ(SpawnAndWait({"desktop-file-validate", path}), 0) << TempDir::Read(path);
    return ReadEntry(TempDir::Read(path));
  }

  TempDir home_;
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(ShortcutTest, LauncherRunsTheTargetWithItsArgumentsInItsFolder) {
  struct Case {
    const char* label;
    std::string target;
    std::string linkName;
    std::string arguments;  // Windows command-line form
    Words expectedArguments;
  };
  const Case cases[] = {
      {"plain", "/opt/tools/Brenvoll.exe", "Nightly", "/cfg/nightly.cfg", {"/cfg/nightly.cfg"}},
      {"blanks, quoted path", "/opt/my tools/Brenvoll.exe", "Nightly sales",
       "\"/my cfg/nightly sales.cfg\"", {"/my cfg/nightly sales.cfg"}},
      {"double quote", "/opt/tools/Brenvoll.exe", "Quote", "\"/cfg/say \\\"hi\\\".cfg\"",
       {"/cfg/say \"hi\".cfg"}},
      {"dollar and backquote", "/opt/$HOME/Brenvoll.exe", "Dollar", "/cfg/$USER`id`.cfg",
       {"/cfg/$USER`id`.cfg"}},
      {"backslash", "/opt/a\\b/Brenvoll.exe", "Back\\slash", "/cfg/a\\b.cfg", {"/cfg/a\\b.cfg"}},
      {"percent", "/opt/100%/Brenvoll.exe", "100% %f", "/cfg/%f%%u.cfg", {"/cfg/%f%%u.cfg"}},
      {"non-ASCII", "/opt/Bränvöll/Brenvoll.exe", "Compactage été",
       "\"/cfg/données été.cfg\"", {"/cfg/données été.cfg"}},
      {"several arguments and shell signs", "/opt/tools/Brenvoll.exe", "Several",
       "a;b \"c d\" |e >f", {"a;b", "c d", "|e", ">f"}},
      {"no arguments", "/opt/tools/Brenvoll.exe", "Bare", "", {}},
      {"leading blank in the name", "/opt/tools/Brenvoll.exe", " Lead", "x", {"x"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CreateShortcut(c.target, c.linkName, c.arguments, true, false);
    auto keys = Launcher(Desktop(c.linkName + ".desktop"));
    EXPECT_EQ(keys["Type"], "Application") << "row: " << c.label;
    EXPECT_EQ(keys["Name"], c.linkName) << "row: " << c.label;
    Words expected{c.target};
    expected.insert(expected.end(), c.expectedArguments.begin(), c.expectedArguments.end());
    EXPECT_EQ(ExecWords(keys["Exec"]), expected) << "row: " << c.label;
    EXPECT_EQ(keys["Path"], c.target.substr(0, c.target.rfind('/') + 1)) << "row: " << c.label;
  }
}

TEST_F(ShortcutTest, ChoosesTheFolderAndReplacesAnEarlierLauncher) {
  // The start menu wins over the desktop; its program folder is created.
  CreateShortcut("/opt/tools/Brenvoll.exe", "Nightly", "/cfg/a.cfg", true, true);
  EXPECT_EQ(ExecWords(Launcher(Menu("Brenvoll/Nightly.desktop"))["Exec"]),
            (Words{"/opt/tools/Brenvoll.exe", "/cfg/a.cfg"}));
  EXPECT_FALSE(IsExecutable(Desktop("Nightly.desktop")));

  CreateShortcut("/opt/tools/Brenvoll.exe", "Nightly", "/cfg/a.cfg", true, false);
  CreateShortcut("/opt/tools/Brenvoll.exe", "Nightly", "/cfg/b.cfg", true, false);
  EXPECT_EQ(ExecWords(Launcher(Desktop("Nightly.desktop"))["Exec"]),
            (Words{"/opt/tools/Brenvoll.exe", "/cfg/b.cfg"}));

  // Without user-dirs.dirs the desktop is ~/Desktop.
  unlink(home_.File(".config/user-dirs.dirs").c_str());
  mkdir(home_.File("Desktop").c_str(), 0755);
  CreateShortcut("/opt/tools/Brenvoll.exe", "", "/cfg/a.cfg", true, false);
  EXPECT_TRUE(IsExecutable(home_.File("Desktop/.desktop")));
}

TEST_F(ShortcutTest, ALauncherThatCannotBeWrittenIsNotReported) {
  struct Case {
    const char* label;
    std::string linkName;
  };
  const Case cases[] = {
      {"into a missing folder", "missing/Nightly"},
      {"a name too long for a file", std::string(300, 'n')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_NO_THROW(CreateShortcut("/opt/tools/Brenvoll.exe", c.linkName, "x", true, false))
        << "row: " << c.label;
    EXPECT_FALSE(IsExecutable(Desktop(c.linkName + ".desktop"))) << "row: " << c.label;
  }
}

TEST(DesktopDirFromUserDirs, ReadsTheDesktopLine) {
  struct Case {
    const char* label;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"home relative", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/u/Desktop"},
      {"absolute, trailing slash", "XDG_DESKTOP_DIR=\"/data/desk/\"", "/data/desk"},
      {"home itself", "XDG_DESKTOP_DIR=\"$HOME/\"", "/home/u"},
      {"escapes and blanks", "  XDG_DESKTOP_DIR = \"$HOME/My \\\"Desk\\\"\"", "/home/u/My \"Desk\""},
      {"last line wins", "XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\"\n", "/home/u/b"},
      {"other folders ignored", "XDG_DOWNLOAD_DIR=\"$HOME/dl\"\n# XDG_DESKTOP_DIR=\"/x\"\n", ""},
      {"relative path refused", "XDG_DESKTOP_DIR=\"Desktop\"", ""},
      {"other variable refused", "XDG_DESKTOP_DIR=\"$HOMER/x\"", ""},
      {"unclosed quote", "XDG_DESKTOP_DIR=\"$HOME/x", ""},
      {"unquoted value", "XDG_DESKTOP_DIR=$HOME/x", ""},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(DesktopDirFromUserDirs(c.text, "/home/u"), c.expected) << "row: " << c.label;
  }
}
}  // namespace
