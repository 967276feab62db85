#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/About.h"
#include "base/FormatSettings.h"
#include "support/RecordingHelp.h"
#include "support/ScriptedDialogs.h"

namespace {

TEST(AboutBox, LabelsFollowTheDecimalSeparator) {
  struct Case { const char* label; char separator; const char* version; };
  const Case cases[] = {{"point", '.', "Version 1.10"}, {"comma", ',', "Version 1,10"}};
  const char saved = ProcessFormatSettings().DecimalSeparator;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    ProcessFormatSettings().DecimalSeparator = c.separator;
    TAboutBox box;
    EXPECT_EQ(box.Version->text().toStdString(), c.version) << c.label;
    EXPECT_EQ(box.Build->text().toStdString(), "Build 1.103") << c.label;
  }
  ProcessFormatSettings().DecimalSeparator = saved;
}

TEST(AboutBox, WindowAsLaidOut) {
  TAboutBox box;
  EXPECT_EQ(box.windowTitle(), "About Brenvoll");
  EXPECT_EQ(box.size(), QSize(297, 240));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_EQ(box.ProgramIcon->size(), QSize(96, 96));
  EXPECT_TRUE(box.OKButton->isDefault());
  for (const char* name : {"ProgramIcon", "Label1", "ProductName", "Version", "Build",
                           "Label2", "Bevel1", "OKButton"}) {
    EXPECT_NE(box.findChild<QWidget*>(name), nullptr) << name;
  }
}

// Each way of closing leaves the box hidden and able to show again, labels unchanged.
TEST(AboutBox, ClosesWithOkEnterAndEscape) {
  struct Case { const char* label; std::function<void(TAboutBox&)> close; };
  const Case cases[] = {
      {"OK", [](TAboutBox& b) { b.OKButton->click(); }},
      {"Enter", [](TAboutBox& b) { QTest::keyClick(&b, Qt::Key_Return); }},
      {"Escape", [](TAboutBox& b) { QTest::keyClick(&b, Qt::Key_Escape); }},
  };
  TAboutBox box;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    box.show();
    box.OKButton->setFocus();
    c.close(box);
    EXPECT_FALSE(box.isVisible()) << c.label;
    EXPECT_EQ(box.Version->text(), "Version 1.10") << c.label;
  }
}

TEST(AboutBox, F1AsksForTopic61) {
  RecordingHelp help;
  TAboutBox box;
  box.show();
  box.OKButton->setFocus();
  QTest::keyClick(box.OKButton, Qt::Key_F1);
  EXPECT_EQ(help.requests, std::vector<std::string>{"topic 61"});
}

TEST(AboutBox, LinkAnsweredNoOpensNothingAndStaysOpen) {
  ScriptedDialogs dialogs;
  dialogs.NextButton(DialogButton::No);
  TAboutBox box;
  box.show();
  QTest::mouseClick(box.Label2, Qt::LeftButton);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Confirm");
  EXPECT_EQ(dialogs.messages[0].text, "Connect to the Internet now?");
  EXPECT_TRUE(box.isVisible());
}

}  // namespace
