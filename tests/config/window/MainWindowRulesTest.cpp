// The main window's text rules for the launcher's arguments and the dialogs' folder.
#include "config/fCfgMainRules.h"

#include <gtest/gtest.h>

namespace {

TEST(MainWindowRules, ShortcutArgumentsQuoteOnlyAPathWithAnInnerBlank) {
  struct Case {
    const char* label;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"never saved", "", ""},
      {"plain", "/cfg/nightly.cfg", "/cfg/nightly.cfg"},
      {"inner blank", "/my cfg/nightly.cfg", "\"/my cfg/nightly.cfg\""},
      {"outer blanks only: left as they are", " /cfg/nightly.cfg ", " /cfg/nightly.cfg "},
      {"inner and outer blanks: trimmed, then quoted", "  /my cfg/n.cfg ", "\"/my cfg/n.cfg\""},
      {"blanks only", "   ", "   "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ShortcutArguments(c.path), c.expected);
  }
}

TEST(MainWindowRules, DialogFolderKeepsOnlyTheRootsSlash) {
  struct Case {
    const char* label;
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"empty", "", ""},
      {"bare name", "nightly.cfg", ""},
      {"in a folder", "/home/u/cfg/nightly.cfg", "/home/u/cfg"},
      {"in the root", "/nightly.cfg", "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(DialogFolder(c.path), c.expected);
  }
}

}  // namespace
