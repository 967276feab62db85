// The main window's start, loads, saves, changed marks and closing.
#include <QCheckBox>

#include <filesystem>

#include "MainWindowFixture.h"
#include "config/CompactionConfig.h"
#include "profile/IniFile.h"

namespace {

std::string Setting(const std::string& appDir, const char* key) {
  return TIniFile(appDir + "Brenvoll.ini").ReadText("Defaults", key, "<missing>");
}

TEST_F(MainWindowFixture, FirstStartWithoutSettingsFile) {
  TForm1& w = Create();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(w.AppDir, app.Path());
  EXPECT_EQ(Caption(), "Brenvoll - Config1");
  EXPECT_EQ(w.CurrentCfgPath, "");
  EXPECT_EQ(Text(w.fedtAccess), "\\Msaccess.exe");
  EXPECT_EQ(Text(w.fedtBrenvollPath), app.Path() + "Brenvoll.exe");
  EXPECT_EQ(w.OpenDialog1.initialDir, "");
  EXPECT_FALSE(std::filesystem::exists(app.File("Brenvoll.ini"))) << "written during start-up";
}

TEST_F(MainWindowFixture, StartReopensTheLastConfiguration) {
  const std::string cfg = work.File("nightly.cfg");
  CompactionConfig config;
  config.Description = "Nightly";
  config.CompactFiles = {"/db/one.mdb"};
  WriteCompactionConfig(cfg, config);
  WriteSettings("LastCfgPath=" + cfg + "\r\nAccessPath=C:\\Office\\Msaccess.exe\r\n");
  TForm1& w = Create();
  EXPECT_EQ(Caption(), "Brenvoll - " + cfg);
  EXPECT_EQ(Text(w.edtDesc), "Nightly");
  EXPECT_EQ(ListLines(), std::vector<std::string>{"/db/one.mdb"});
  EXPECT_EQ(Text(w.fedtAccess), "C:\\Office\\Msaccess.exe");
  EXPECT_EQ(w.OpenDialog1.initialDir, work.Path().substr(0, work.Path().size() - 1));
  EXPECT_EQ(w.SaveDialog1.initialDir, w.OpenDialog1.initialDir);
}

TEST_F(MainWindowFixture, RegistryValueOfAnotherTypeEndsCreationAfterTheSettings) {
  prefix.Write("system.reg", TempDir::Read(BRENVOLL_TEST_DATA "/config/wine/dword.reg"));
  const std::string cfg = work.File("nightly.cfg");
  CompactionConfig config;
  config.Description = "Nightly";
  WriteCompactionConfig(cfg, config);
  WriteSettings("LastCfgPath=" + cfg + "\r\nBrenvollPath=/opt/Brenvoll.exe\r\n");
  TForm1& w = Create();
  EXPECT_EQ(errors, std::vector<std::string>{"Invalid data type for 'OfficeBin'"});
  EXPECT_EQ(w.CurrentCfgPath, cfg);
  EXPECT_EQ(Text(w.fedtBrenvollPath), "/opt/Brenvoll.exe");
  EXPECT_EQ(Text(w.fedtAccess), "");
  EXPECT_EQ(w.OpenDialog1.initialDir, "") << "dialog folders set after the error";
  EXPECT_EQ(Text(w.edtDesc), "") << "configuration loaded after the error";
}

TEST_F(MainWindowFixture, SavedConfigurationReopensIdentically) {
  TForm1& w = Create();
  w.fedtAccess->setText("/opt/access/Msaccess.exe");
  w.edtDesc->setText("Sales databases");
  w.lboxCompactFiles->addItems({"C:\\db\\one.mdb", "C:\\db\\two.mdb"});
  w.chkRepair->setChecked(true);
  w.fedtWrkgrp->setText("C:\\db\\system.mdw");
  w.medtLogin->setText("admin");
  w.medtPwd->setText("s3cret #1");
  w.chkEncrypt->setChecked(true);
  w.fedtDB->setText("C:\\db\\report.xls");
  const std::string cfg = work.File("sales.cfg");
  dialogs.NextFile(cfg);
  w.SaveConfigFIle1Click();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Caption(), "Brenvoll - " + cfg);
  EXPECT_EQ(ReadConfiguredAccessPath(cfg), "/opt/access/Msaccess.exe");

  w.NewConfigFile1Click();
  EXPECT_EQ(Caption(), "Brenvoll - Config1");
  EXPECT_TRUE(ListLines().empty());
  EXPECT_EQ(Text(w.medtLogin), "");
  EXPECT_EQ(Text(w.fedtAccess), "/opt/access/Msaccess.exe") << "New keeps the program paths";
  Open(cfg);
  EXPECT_EQ(Caption(), "Brenvoll - " + cfg);
  EXPECT_EQ(Text(w.edtDesc), "Sales databases");
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"C:\\db\\one.mdb", "C:\\db\\two.mdb"}));
  EXPECT_TRUE(w.chkRepair->isChecked());
  EXPECT_EQ(Text(w.fedtWrkgrp), "C:\\db\\system.mdw");
  EXPECT_EQ(Text(w.medtLogin), "admin");
  EXPECT_EQ(Text(w.medtPwd), "s3cret #1");
  EXPECT_TRUE(w.chkEncrypt->isChecked());
  EXPECT_EQ(Text(w.fedtDB), "C:\\db\\report.xls");

  const FileDialogRequest& save = dialogs.fileDialogs.front();
  EXPECT_EQ(save.kind, FileDialogKind::Save);
  EXPECT_EQ(save.filter, "Config Files (*.cfg)");
  EXPECT_EQ(save.defaultExt, "cfg");
}

TEST_F(MainWindowFixture, OpenKeepsTheAccessFieldAndSaveWritesItOverTheFile) {
  const std::string cfg = work.File("other.cfg");
  CompactionConfig config;
  config.AccessPath = "C:\\Other\\Msaccess.exe";
  WriteCompactionConfig(cfg, config);
  TForm1& w = Create();
  Open(cfg);
  EXPECT_EQ(Text(w.fedtAccess), "\\Msaccess.exe");
  w.SaveConfigFIle1Click();
  EXPECT_EQ(ReadConfiguredAccessPath(cfg), "\\Msaccess.exe");
}

TEST_F(MainWindowFixture, OpenCancelledOrOfAMissingFileChangesNothing) {
  struct Case {
    const char* label;
    std::optional<std::string> chosen;
  };
  const Case cases[] = {
      {"cancelled", std::nullopt},
      {"typed name of no file", work.File("missing.cfg")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TForm1& w = Create();
    w.edtDesc->setText("kept");
    dialogs.NextFile(c.chosen);
    w.OpenConfigFile1Click();
    EXPECT_EQ(Caption(), "Brenvoll - Config1");
    EXPECT_EQ(Text(w.edtDesc), "kept");
    EXPECT_TRUE(dialogs.messages.empty());
  }
}

TEST_F(MainWindowFixture, CancelInTheSaveDialogWritesNothing) {
  struct Case {
    const char* label;
    bool named;     // the configuration has a file already
    bool saveAs;    // Save As instead of Save
  };
  const Case cases[] = {
      {"Save of a new configuration", false, false},
      {"Save As of a new configuration", false, true},
      {"Save As of a named configuration", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string cfg = work.File(std::string(c.label) + ".cfg");
    TForm1& w = Create();
    if (c.named) {
      dialogs.NextFile(cfg);
      w.SaveConfigFIle1Click();
    }
    const std::string caption = Caption();
    const std::string before = TempDir::Read(cfg);
    Type(w.edtDesc, "changed");
    dialogs.NextFile(std::nullopt);
    if (c.saveAs) {
      w.SaveAs1Click();
    } else {
      w.SaveConfigFIle1Click();
    }
    EXPECT_EQ(Caption(), caption);
    EXPECT_EQ(w.CurrentCfgPath, c.named ? cfg : "");
    EXPECT_EQ(TempDir::Read(cfg), before);
    EXPECT_TRUE(w.edtDesc->isModified());
    if (c.named) {
      // The next Save goes to the old file without asking.
      w.SaveConfigFIle1Click();
      EXPECT_EQ(ReadCompactionConfig(cfg).Description, "changed");
    }
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowFixture, SaveAsSwitchesToTheNewFile) {
  const std::string first = work.File("first.cfg"), second = work.File("second.cfg");
  TForm1& w = Create();
  dialogs.NextFile(first);
  w.SaveConfigFIle1Click();
  w.edtDesc->setText("second");
  dialogs.NextFile(second);
  w.SaveAs1Click();
  EXPECT_EQ(Caption(), "Brenvoll - " + second);
  EXPECT_EQ(ReadCompactionConfig(second).Description, "second");
  EXPECT_EQ(ReadCompactionConfig(first).Description, "");
}

TEST_F(MainWindowFixture, FailedSaveRaisesAndKeepsTheMarksAndTheName) {
  // A folder where the file should be: the write cannot replace it.
  const std::string cfg = work.File("taken.cfg");
  std::filesystem::create_directory(cfg);
  TForm1& w = Create();
  Type(w.medtLogin, "admin");
  dialogs.NextFile(cfg);
  w.SaveConfigFIle1->trigger();
  EXPECT_EQ(errors, std::vector<std::string>{"Unable to write to " + cfg});
  EXPECT_TRUE(w.medtLogin->isModified());
  EXPECT_EQ(w.CurrentCfgPath, cfg);
  EXPECT_EQ(Caption(), "Brenvoll - " + cfg);
}

// Which actions count as a change: each row opens a saved configuration, acts, and
// closes; only the five fields' marks lead to the question.
TEST_F(MainWindowFixture, ClosingAsksOnlyAfterTypingInTheFiveFields) {
  struct Case {
    const char* label;
    std::function<void(TForm1&)> act;
    bool asks;
  };
  const Case cases[] = {
      {"nothing", [](TForm1&) {}, false},
      {"typed in Description", [](TForm1& w) { Type(w.edtDesc, "x"); }, true},
      {"typed in Security File", [](TForm1& w) { Type(w.fedtWrkgrp, "x"); }, true},
      {"typed in Login", [](TForm1& w) { Type(w.medtLogin, "x"); }, true},
      {"typed in Password", [](TForm1& w) { Type(w.medtPwd, "x"); }, true},
      {"typed in Launch File", [](TForm1& w) { Type(w.fedtDB, "x"); }, true},
      {"typed, then picked with the browse button",
       [this](TForm1& w) {
         Type(w.fedtWrkgrp, "x");
         dialogs.NextFile("/db/system.mdw");
         w.fedtWrkgrp->Browse();
       },
       false},
      {"typed in the Access path", [](TForm1& w) { Type(w.fedtAccess, "x"); }, false},
      {"typed in the compactor path", [](TForm1& w) { Type(w.fedtBrenvollPath, "x"); }, false},
      {"ticked Repair", [](TForm1& w) { w.chkRepair->click(); }, false},
      {"ticked Encrypt", [](TForm1& w) { w.chkEncrypt->click(); }, false},
      {"removed a list entry",
       [](TForm1& w) {
         w.lboxCompactFiles->setCurrentRow(0);
         w.DeleteFile1Click();
       },
       false},
      {"typed, then saved",
       [](TForm1& w) {
         Type(w.medtLogin, "x");
         w.SaveConfigFIle1Click();
       },
       false},
  };
  const std::string cfg = work.File("saved.cfg");
  CompactionConfig config;
  config.CompactFiles = {"/db/one.mdb", "/db/two.mdb"};
  config.Login = "admin";
  WriteCompactionConfig(cfg, config);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TForm1& w = Create();
    Open(cfg);
    c.act(w);
    if (c.asks) dialogs.NextButton(DialogButton::Cancel);
    EXPECT_TRUE(Close());
    EXPECT_EQ(AskedToSave(), c.asks);
    WriteCompactionConfig(cfg, config);
  }
  EXPECT_TRUE(errors.empty());
}

// A load clears a field's mark only where it changes the field's text.
TEST_F(MainWindowFixture, LoadClearsAMarkOnlyWhereTheTextChanges) {
  struct Case {
    const char* label;
    std::string typed;       // into the empty Login field of a new configuration
    std::string openedLogin; // the login of the configuration then opened
    bool asks;
  };
  const Case cases[] = {
      {"opened login differs", "admin", "guest", false},
      {"opened login equals the typed text", "admin", "admin", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string cfg = work.File("login.cfg");
    CompactionConfig config;
    config.Login = c.openedLogin;
    WriteCompactionConfig(cfg, config);
    TForm1& w = Create();
    w.NewConfigFile1Click();  // the previous row's close named the file as the last one
    Type(w.medtLogin, c.typed);
    ASSERT_TRUE(w.medtLogin->isModified());
    Open(cfg);
    EXPECT_EQ(Text(w.medtLogin), c.openedLogin);
    EXPECT_EQ(w.medtLogin->isModified(), c.asks);
    if (c.asks) dialogs.NextButton(DialogButton::Cancel);
    EXPECT_TRUE(Close());
    EXPECT_EQ(AskedToSave(), c.asks);
  }
}

TEST_F(MainWindowFixture, ClosingQuestionAnswers) {
  struct Case {
    const char* label;
    DialogButton answer;
    bool saved;
  };
  const Case cases[] = {
      {"Yes saves, then closes", DialogButton::Yes, true},
      {"Cancel closes without saving", DialogButton::Cancel, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::string cfg = work.File("answer.cfg");
    WriteCompactionConfig(cfg, CompactionConfig{});
    TForm1& w = Create();
    Open(cfg);
    Type(w.edtDesc, "typed");
    dialogs.NextButton(c.answer);
    EXPECT_TRUE(Close());
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const MessageRequest& question = dialogs.messages.front();
    EXPECT_EQ(question.title, "Confirm");
    EXPECT_EQ(question.icon, DialogIcon::Question);
    EXPECT_EQ(question.buttons, (std::vector<DialogButton>{DialogButton::Yes, DialogButton::Cancel}));
    EXPECT_EQ(ReadCompactionConfig(cfg).Description, c.saved ? "typed" : "");
    EXPECT_EQ(Setting(app.Path(), "LastCfgPath"), cfg) << "settings written either way";
    dialogs.messages.clear();
  }
}

TEST_F(MainWindowFixture, CloseWritesTheSettingsTheNextStartReads) {
  TForm1& w = Create();
  w.fedtAccess->setText("\"/opt/my office/Msaccess.exe\"");
  w.fedtBrenvollPath->clear();
  EXPECT_TRUE(Close());
  EXPECT_EQ(Setting(app.Path(), "LastCfgPath"), "") << "a never saved configuration";
  EXPECT_EQ(Setting(app.Path(), "BrenvollPath"), "");

  TForm1& again = Create();
  EXPECT_EQ(Caption(), "Brenvoll - Config1");
  EXPECT_EQ(Text(again.fedtAccess), "/opt/my office/Msaccess.exe") << "quotes removed on reading";
  EXPECT_EQ(Text(again.fedtBrenvollPath), "") << "an empty value is no missing key";
}

// After Yes to "Save changes?" on a new configuration: the window stays open while the
// configuration is not saved; a settings file that cannot be written is reported and the
// program ends all the same.
TEST_F(MainWindowFixture, ClosingAfterYesWhenTheSaveOrTheSettingsFail) {
  struct Case {
    const char* label;
    bool nameChosen;     // else the save dialog is cancelled
    bool configBlocked;  // a folder stands where the configuration goes
    bool settingsBlocked;
    bool closes;
    std::vector<std::string> errors;
  };
  const std::string cfg = work.File("chosen.cfg");
  const std::string ini = app.File("Brenvoll.ini");
  const Case cases[] = {
      {"save dialog cancelled: stays open", false, false, false, false, {}},
      {"save fails: stays open", true, true, false, false, {"Unable to write to " + cfg}},
      {"settings fail: reported, closes", true, false, true, true, {"Unable to write to " + ini}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    errors.clear();
    std::filesystem::remove_all(cfg);
    std::filesystem::remove_all(ini);
    TForm1& w = Create();
    Type(w.edtDesc, "typed");
    if (c.configBlocked) std::filesystem::create_directory(cfg);
    if (c.settingsBlocked) std::filesystem::create_directory(ini);
    dialogs.NextButton(DialogButton::Yes);
    dialogs.NextFile(c.nameChosen ? std::optional<std::string>(cfg) : std::nullopt);
    EXPECT_EQ(Close(), c.closes);
    EXPECT_EQ(errors, c.errors);
    if (!c.closes) {
      EXPECT_FALSE(std::filesystem::exists(ini)) << "settings written by a close that failed";
      EXPECT_TRUE(w.edtDesc->isModified());
    }
    if (c.settingsBlocked) {
      EXPECT_EQ(ReadCompactionConfig(cfg).Description, "typed");
    }
    dialogs.messages.clear();
    window.reset();
  }
  std::filesystem::remove_all(cfg);
  std::filesystem::remove_all(ini);
}

}  // namespace
