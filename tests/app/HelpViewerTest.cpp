// The help viewer on the help file the build made beside the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>

#include "app/HelpViewer.h"
#include "support/ScriptedDialogs.h"

namespace {

std::string BuiltHelpFile() { return std::string(BRENVOLL_APP_DIR) + HelpFileName; }

std::string PageOf(const THelpViewer& viewer) {
  return viewer.CurrentPage().fileName().toStdString();
}

// Every request the windows make lands on its page.
TEST(HelpViewer, ServesEveryRequestOfTheWindows) {
  struct Case { const char* label; std::function<void(THelpViewer&)> ask; const char* page; };
  const Case cases[] = {
      {"contents", [](THelpViewer& v) { v.ShowContents(); }, "index.html"},
      {"about box topic 61", [](THelpViewer& v) { v.ShowTopic(61); }, "about.html"},
      {"home page topic 160", [](THelpViewer& v) { v.ShowTopic(160); }, "web.html"},
      {"scheduler topic 190", [](THelpViewer& v) { v.ShowTopic(190); }, "scheduler.html"},
      {"unknown topic shows the contents", [](THelpViewer& v) { v.ShowTopic(7); }, "index.html"},
  };
  THelpViewer viewer(BuiltHelpFile());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    c.ask(viewer);
    ASSERT_NE(viewer.Window(), nullptr) << c.label;
    EXPECT_TRUE(viewer.Window()->isVisible()) << c.label;
    EXPECT_EQ(PageOf(viewer), c.page) << c.label;
    auto* page = viewer.Window()->findChild<QTextBrowser*>("HelpPage");
    EXPECT_FALSE(page->toPlainText().isEmpty()) << c.label;
  }
}

TEST(HelpViewer, KeywordSearchOpensTheIndexWithAnEmptyKeyword) {
  THelpViewer viewer(BuiltHelpFile());
  viewer.ShowContents();
  viewer.Window()->findChild<QLineEdit*>("HelpIndexFilter")->setText("sched");
  viewer.SearchKeyword("");
  auto* tabs = viewer.Window()->findChild<QTabWidget*>();
  EXPECT_EQ(tabs->tabText(tabs->currentIndex()), "Index");
  EXPECT_TRUE(viewer.Window()->findChild<QLineEdit*>("HelpIndexFilter")->text().isEmpty());
}

// Asked for from a modal window, the viewer must belong to it, or the modality would
// block the viewer; asked for from an ordinary window, it stands alone again.
TEST(HelpViewer, BelongsToTheModalWindowThatAsked) {
  THelpViewer viewer(BuiltHelpFile());
  {
    QDialog modal;
    modal.setModal(true);
    modal.show();
    ASSERT_EQ(QApplication::activeModalWidget(), &modal);
    viewer.ShowTopic(61);
    EXPECT_EQ(viewer.Window()->parentWidget(), &modal);
    EXPECT_TRUE(viewer.Window()->isWindow());
    modal.hide();
    viewer.ShowContents();
    EXPECT_EQ(viewer.Window()->parentWidget(), nullptr);
  }
  {
    QDialog modal;
    modal.setModal(true);
    modal.show();
    viewer.ShowTopic(61);
  }
  // The dialog took the viewer's window with it; the next request makes a new one.
  EXPECT_EQ(viewer.Window(), nullptr);
  viewer.ShowTopic(190);
  ASSERT_NE(viewer.Window(), nullptr);
  EXPECT_EQ(PageOf(viewer), "scheduler.html");
}

TEST(HelpViewer, MissingHelpFileIsReported) {
  ScriptedDialogs dialogs;
  dialogs.NextButton(DialogButton::Ok);
  THelpViewer viewer("/nonexistent/Brenvoll.qhc");
  viewer.ShowContents();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Error...");
  EXPECT_NE(dialogs.messages[0].text.find("/nonexistent/Brenvoll.qhc"), std::string::npos);
  EXPECT_EQ(viewer.Window(), nullptr);
}

}  // namespace
