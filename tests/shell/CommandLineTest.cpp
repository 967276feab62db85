#include "shell/CommandLine.h"

#include <gtest/gtest.h>

#include <set>

namespace {
using Args = std::vector<std::string>;

TEST(SplitArguments, FollowsTheCRuntimeRules) {
  struct Case {
    const char* label;
    const char* text;
    Args expected;
  };
  const Case cases[] = {
      {"empty", "", {}},
      {"only blanks", " \t ", {}},
      {"one path", "/cfg/nightly.cfg", {"/cfg/nightly.cfg"}},
      {"blanks and tabs separate", " a\tb  c ", {"a", "b", "c"}},
      {"quotes group a path with blanks", "\"/my cfg/a b.cfg\" x", {"/my cfg/a b.cfg", "x"}},
      {"quotes inside a word", "a\"b c\"d", {"ab cd"}},
      {"empty quoted argument", "\"\" x", {"", "x"}},
      {"doubled quote inside quotes", "\"a\"\"b\"", {"a\"b"}},
      {"escaped quote", "a\\\"b", {"a\"b"}},
      {"even backslashes before a quote", "\"a\\\\\" b", {"a\\", "b"}},
      {"odd backslashes before a quote", "a\\\\\\\"b", {"a\\\"b"}},
      {"backslashes without a quote are literal", "C:\\Tools\\x.cfg", {"C:\\Tools\\x.cfg"}},
      {"trailing backslashes", "a\\\\", {"a\\\\"}},
      {"unterminated quote runs to the end", "\"a b", {"a b"}},
      {"shell characters stay text", "x; rm -rf $HOME `id` | y", {"x;", "rm", "-rf", "$HOME", "`id`", "|", "y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(SplitArguments(c.text), c.expected) << "row: " << c.label;
  }
}

TEST(SplitCommandLine, FindsTheProgramLikeTheWindowsLoader) {
  struct Case {
    const char* label;
    const char* line;
    std::set<std::string> programs;  // the names that are programs
    std::string program;
    Args arguments;
  };
  const Case cases[] = {
      {"program, blank, configuration", "/opt/Brenvoll.exe /cfg/a.cfg", {"/opt/Brenvoll.exe"},
       "/opt/Brenvoll.exe", {"/cfg/a.cfg"}},
      {"quoted program with blanks", "\"/my tools/b.exe\" \"/my cfg/a.cfg\"", {},
       "/my tools/b.exe", {"/my cfg/a.cfg"}},
      {"arguments glued to the closing quote", "\"/t/b.exe\"x y", {}, "/t/b.exe", {"x", "y"}},
      {"unquoted blanks: the longer prefix is the program", "/my tools/b.exe /c/a.cfg",
       {"/my tools/b.exe"}, "/my tools/b.exe", {"/c/a.cfg"}},
      {"the shorter prefix wins when it is a program", "/my tools/b.exe /c/a.cfg",
       {"/my", "/my tools/b.exe"}, "/my", {"tools/b.exe", "/c/a.cfg"}},
      {"the whole line as the last candidate", "/my tools/b c", {"/my tools/b c"},
       "/my tools/b c", {}},
      {"no candidate: the first word", "/missing/b.exe /c/a.cfg", {}, "/missing/b.exe",
       {"/c/a.cfg"}},
      {"leading blanks skipped", "  /t/b.exe a", {"/t/b.exe"}, "/t/b.exe", {"a"}},
      {"runs of blanks between words", "/my  tools/b a", {"/my  tools/b"}, "/my  tools/b", {"a"}},
      {"unterminated quoted program", "\"/t/b.exe a", {}, "/t/b.exe a", {}},
      {"empty line", "", {}, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    CommandLine split = SplitCommandLine(
        c.line, [&](const std::string& name) { return c.programs.count(name) > 0; });
    EXPECT_EQ(split.program, c.program) << "row: " << c.label;
    EXPECT_EQ(split.arguments, c.arguments) << "row: " << c.label;
  }
}
}  // namespace
