#include "shell/OpenAddress.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "FakeProgram.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {
// Puts a fake xdg-open, exiting with the given code, alone on PATH for one test.
class FakeOpener {
public:
  explicit FakeOpener(std::optional<int> exitCode) {
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "";
    if (exitCode) WriteFakeProgram(dir_, "xdg-open", Record(), *exitCode);
    setenv("PATH", dir_.Path().c_str(), 1);
  }
  ~FakeOpener() { setenv("PATH", savedPath_.c_str(), 1); }
  std::string Record() const { return dir_.File("opened"); }

private:
  TempDir dir_;
  std::string savedPath_;
};

TEST(OpenAddress, AsksOpensAndReportsFailure) {
  struct Case {
    const char* label;
    std::string address;
    bool confirm;
    std::optional<DialogButton> answer;  // to the confirmation
    std::optional<int> openerExit;       // nothing: no xdg-open at all
    bool expected;
    std::string opened;                  // what the opener received
    bool failureBox;
  };
  const std::string page = "https://www.example.com/brenvoll?from=about";
  const Case cases[] = {
      {"confirmed", page, true, DialogButton::Yes, 0, true, page + "\n", false},
      {"declined: nothing opened", page, true, DialogButton::No, 0, false, "", false},
      {"without confirmation", page, false, std::nullopt, 0, true, page + "\n", false},
      {"mail address unchanged", "mailto:support@example.com", false, std::nullopt, 0, true,
       "mailto:support@example.com\n", false},
      {"shell signs reach the opener as text", "https://x.example/a b;$(id)", false,
       std::nullopt, 0, true, "https://x.example/a b;$(id)\n", false},
      {"opener fails", page, false, std::nullopt, 4, false, page + "\n", true},
      {"no opener installed", page, true, DialogButton::Yes, std::nullopt, false, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    FakeOpener opener(c.openerExit);
    ScriptedDialogs dialogs;
    if (c.answer) dialogs.NextButton(*c.answer);
    if (c.failureBox) dialogs.NextButton(DialogButton::Ok);

    EXPECT_EQ(OpenAddress(c.address, c.confirm), c.expected) << "row: " << c.label;
    EXPECT_EQ(TempDir::Read(opener.Record()), c.opened) << "row: " << c.label;
    EXPECT_EQ(dialogs.PendingAnswers(), 0u) << "row: " << c.label;
    size_t box = 0;
    if (c.confirm) {
      ASSERT_GT(dialogs.messages.size(), box) << "row: " << c.label;
      const MessageRequest& question = dialogs.messages[box++];
      EXPECT_EQ(question.title, "Confirm");
      EXPECT_EQ(question.text, "Connect to the Internet now?");
      EXPECT_EQ(question.icon, DialogIcon::Question);
      EXPECT_EQ(question.buttons, (std::vector{DialogButton::Yes, DialogButton::No}));
      EXPECT_EQ(question.defaultButton, DialogButton::Yes);
    }
    if (c.failureBox) {
      ASSERT_GT(dialogs.messages.size(), box) << "row: " << c.label;
      const MessageRequest& failure = dialogs.messages[box++];
      EXPECT_EQ(failure.title, "Could not start your Internet browser");
      EXPECT_EQ(failure.text, "Launch Error");
      EXPECT_EQ(failure.buttons, std::vector{DialogButton::Ok});
    }
    EXPECT_EQ(dialogs.messages.size(), box) << "row: " << c.label;
  }
}
}  // namespace
