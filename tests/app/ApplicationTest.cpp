#include <gtest/gtest.h>

#include "app/Application.h"
#include "base/Exceptions.h"
#include "support/ScriptedDialogs.h"

namespace {

// What reaches the user for each kind of error escaping a handler.
TEST(HandleException, AbortIsSilentOthersGetThePlainBox) {
  struct Case { const char* label; std::function<void()> raise; const char* shown; };
  const Case cases[] = {
      {"abort", [] { throw EAbort("stop"); }, nullptr},
      {"profile write", [] { throw EIniFileException("Unable to write to /x/Brenvoll.ini"); },
       "Unable to write to /x/Brenvoll.ini"},
      {"library error", [] { throw std::runtime_error("bad thing"); }, "bad thing"},
      {"not an exception class", [] { throw 42; }, "An unknown error occurred."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ScriptedDialogs dialogs;
    if (c.shown) dialogs.NextButton(DialogButton::Ok);
    GuardHandler(c.raise);
    if (!c.shown) {
      EXPECT_TRUE(dialogs.messages.empty()) << c.label;
      continue;
    }
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.label;
    EXPECT_EQ(dialogs.messages[0].title, "Error...") << c.label;
    EXPECT_EQ(dialogs.messages[0].text, c.shown) << c.label;
  }
}

TEST(HandleException, HandlerEndsAtTheError) {
  ScriptedDialogs dialogs;
  dialogs.NextButton(DialogButton::Ok);
  int steps = 0;
  GuardHandler([&] {
    ++steps;
    throw EConvertError("'x' is not a valid integer value");
    ++steps;
  });
  EXPECT_EQ(steps, 1);
}

}  // namespace
