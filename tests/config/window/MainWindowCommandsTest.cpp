// The main window's list commands, drops, desktop launcher, help and web commands.
#include <QCheckBox>
#include <QDropEvent>
#include <QMimeData>
#include <QStyle>
#include <QToolButton>
#include <QUrl>

#include <filesystem>
#include <sys/stat.h>

#include "MainWindowFixture.h"

namespace {

TEST_F(MainWindowFixture, DropsAppendInTheOrderDelivered) {
  TForm1& w = Create();
  w.lboxCompactFiles->addItem("/db/first.mdb");
  const std::string one = work.Write("one.mdb", ""), two = work.Write("two.mdb", "");
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QString::fromStdString(two)),
                 QUrl::fromLocalFile(QString::fromStdString(one)),
                 QUrl::fromLocalFile(QString::fromStdString(two))});
  const QPoint at(20, 20);
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QWidget* viewport = w.lboxCompactFiles->viewport();
  QDragEnterEvent enter(at, actions, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  QDropEvent drop(at, actions, &files, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"/db/first.mdb", two, one, two}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowFixture, DeleteRemovesOnlyASelectedLine) {
  TForm1& w = Create();
  w.lboxCompactFiles->addItems({"/db/a.mdb", "/db/b.mdb"});
  w.DeleteFile1Click();
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"/db/a.mdb", "/db/b.mdb"}));
  // A current line the user deselected is no selection.
  w.lboxCompactFiles->setCurrentRow(0);
  w.lboxCompactFiles->clearSelection();
  w.DeleteFile1Click();
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"/db/a.mdb", "/db/b.mdb"}));
  w.lboxCompactFiles->setCurrentRow(1);
  w.BitBtn4->click();
  EXPECT_EQ(ListLines(), std::vector<std::string>{"/db/a.mdb"});
}

// The desktop is a folder of the test's own home.
class DesktopIconTest : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
      const char* value = std::getenv(name);
      saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    setenv("HOME", home_.Path().c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    mkdir(home_.File(".config").c_str(), 0755);
    mkdir(home_.File("Desk").c_str(), 0755);
    home_.Write(".config/user-dirs.dirs", "XDG_DESKTOP_DIR=\"$HOME/Desk\"\n");
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) setenv(name.c_str(), value->c_str(), 1);
      else unsetenv(name.c_str());
    }
    MainWindowFixture::TearDown();
  }
  // The launcher's Exec line.
  std::string Exec(const std::string& linkName) const {
    const std::string text = TempDir::Read(home_.File("Desk/" + linkName + ".desktop"));
    const size_t start = text.find("\nExec=");
    if (start == std::string::npos) return "<no launcher>";
    return text.substr(start + 6, text.find('\n', start + 1) - start - 6);
  }

  TempDir home_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(DesktopIconTest, ArgumentsAreTheConfigurationQuotedWhenItHoldsABlank) {
  struct Case {
    const char* label;
    std::string folder;  // under the work folder
    std::string expectedExecTail;
  };
  const Case cases[] = {
      {"plain path", "configs/", " \"" + work.Path() + "configs/nightly.cfg\""},
      {"path with a blank: one word", "my configs/",
       " \"" + work.Path() + "my configs/nightly.cfg\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    std::filesystem::create_directories(work.File(c.folder));
    const std::string cfg = work.File(c.folder + "nightly.cfg");
    TForm1& w = Create();
    w.edtDesc->setText("Nightly");
    dialogs.NextFile(cfg);
    w.SaveConfigFIle1Click();
    const std::string target = "\"" + app.Path() + "Brenvoll.exe\"";
    w.fedtBrenvollPath->setText("/elsewhere/Brenvoll.exe");
    for (int run = 1; run <= 2; ++run) {
      SCOPED_TRACE("run " + std::to_string(run));
      w.CreateDesktopIcon1Click();
      EXPECT_EQ(Exec("Nightly"), target + c.expectedExecTail);
      EXPECT_EQ(w.CurrentCfgPath, cfg);
    }
    w.edtDesc->setText("saved again");
    w.SaveConfigFIle1Click();
    EXPECT_TRUE(std::filesystem::is_regular_file(cfg)) << "Save went to another name";
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(DesktopIconTest, NeverSavedConfigurationGivesNoArguments) {
  TForm1& w = Create();
  w.CreateDesktopIcon1Click();
  EXPECT_EQ(Exec(""), "\"" + app.Path() + "Brenvoll.exe\"") << "launcher named only .desktop";
}

TEST_F(MainWindowFixture, HelpRequestsAndWindows) {
  struct Case {
    const char* label;
    void (TForm1::*command)();
    std::vector<std::string> requests;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"Contents", &TForm1::Contents1Click, {"contents"}, {}},
      {"Keyword Search", &TForm1::KeywordSearch1Click, {"search \"\""}, {}},
      {"Scheduling", &TForm1::Scheduling1Click, {}, {"scheduler"}},
      {"About", &TForm1::About1Click, {}, {"about"}},
  };
  TForm1& w = Create();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    help.requests.clear();
    shown.clear();
    (w.*c.command)();
    EXPECT_EQ(help.requests, c.requests);
    EXPECT_EQ(shown, c.shown);
  }
}

// Puts a PATH without any opener in place, so every address fails to open.
class NoOpenerTest : public MainWindowFixture {
protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    savedPath_ = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", emptyBin_.Path().c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    MainWindowFixture::TearDown();
  }
  TempDir emptyBin_;
  std::string savedPath_;
};

TEST_F(NoOpenerTest, HomePageFailingOpensHelpTopic160) {
  TForm1& w = Create();
  dialogs.NextButton(DialogButton::Ok);  // the launch error box
  w.QuorridgeHomePage1Click();
  EXPECT_EQ(help.requests, std::vector<std::string>{"topic 160"});
  help.requests.clear();
  dialogs.NextButton(DialogButton::Ok);
  w.BrenvollWebPage1Click();
  EXPECT_TRUE(help.requests.empty());
}

TEST_F(NoOpenerTest, FeedbackAsksFirst) {
  TForm1& w = Create();
  dialogs.NextButton(DialogButton::No);
  w.EmailFeedback1Click();
  ASSERT_EQ(dialogs.messages.size(), 1u) << "opened after No";
  EXPECT_EQ(dialogs.messages[0].text,
            "Have you checked the help file and Quorridge web site first before requesting "
            "technical support?");
  EXPECT_EQ(dialogs.messages[0].buttons,
            (std::vector<DialogButton>{DialogButton::Yes, DialogButton::No}));
}

TEST_F(MainWindowFixture, FieldsFollowTheirTabOrderAndEchoHashes) {
  TForm1& w = Create();
  const std::vector<QWidget*> order = {w.fedtAccess, w.edtDesc,  w.lboxCompactFiles,
                                       w.chkRepair,  w.fedtWrkgrp, w.medtLogin,
                                       w.medtPwd,    w.chkEncrypt, w.fedtDB,
                                       w.fedtBrenvollPath};
  for (size_t index = 1; index < order.size(); ++index) {
    QWidget* next = order[index - 1]->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus) next = next->nextInFocusChain();
    EXPECT_EQ(next, order[index]) << "after " << order[index - 1]->objectName().toStdString();
  }
  for (QLineEdit* field : {w.medtLogin, w.medtPwd}) {
    EXPECT_EQ(field->echoMode(), QLineEdit::Password);
    EXPECT_EQ(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field),
              '#');
  }
}

TEST_F(MainWindowFixture, ToolbarButtonsHavePicturesAndStayOutOfTheTabOrder) {
  TForm1& w = Create();
  for (QToolButton* button : {w.BitBtn1, w.BitBtn2, w.BitBtn3, w.BitBtn4, w.BitBtn5, w.BitBtn6}) {
    SCOPED_TRACE(button->objectName().toStdString());
    EXPECT_FALSE(button->icon().pixmap(24, 24).isNull()) << "no theme icon and no fallback";
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
  }
}

}  // namespace
