#include "shell/FilenameEdit.h"

#include <QAction>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {
TEST(FilenameEdit, BrowseStartsFromTheFieldsText) {
  TempDir dir;
  ASSERT_EQ(mkdir(dir.File("my tools").c_str(), 0755), 0);
  ASSERT_EQ(mkdir(dir.File("tools").c_str(), 0755), 0);
  dir.Write("my tools/x y.exe", "");
  const std::string last = "/last/folder/";
  struct Case {
    const char* label;
    std::string text;
    std::string initialDir;
    std::string fileName;
  };
  const Case cases[] = {
      {"an existing file with blanks, whole", dir.File("my tools/x y.exe"),
       dir.File("my tools/"), "x y.exe"},
      {"a command line: its first word", dir.File("tools/x.exe -y"), dir.File("tools/"), "x.exe"},
      {"an unquoted blank ends the first word", dir.File("my tools/x.exe"), dir.Path(), "my"},
      {"a quoted first word", "\"" + dir.File("my tools/a b.exe") + "\" -y",
       dir.File("my tools/"), "a b.exe"},
      {"a missing folder: the last folder", "/no/such/x.exe", last, "x.exe"},
      {"a folder only", dir.File("tools/"), dir.File("tools/"), ""},
      {"not a valid name", dir.File("<x>.exe"), last, ""},
      {"a backslash in the name part", dir.File("a\\b.exe"), last, ""},
      {"empty", "", last, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TFilenameEdit edit;
    edit.InitialDir = last;
    edit.setText(QString::fromStdString(c.text));
    ScriptedDialogs dialogs;
    dialogs.NextFile(std::nullopt);
    EXPECT_FALSE(edit.Browse()) << "row: " << c.label;
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u) << "row: " << c.label;
    const FileDialogRequest& request = dialogs.fileDialogs[0];
    EXPECT_EQ(request.kind, FileDialogKind::Open);
    EXPECT_EQ(request.title, "Browse");
    EXPECT_EQ(request.filter, "All files (*.*)");
    EXPECT_FALSE(request.mustExist);
    EXPECT_EQ(request.initialDir, c.initialDir) << "row: " << c.label;
    EXPECT_EQ(request.fileName, c.fileName) << "row: " << c.label;
    EXPECT_EQ(edit.text().toStdString(), c.text) << "row: " << c.label << ": cancel changed the text";
  }
}

TEST(FilenameEdit, PutsTheChosenPathInTheField) {
  struct Case {
    const char* label;
    std::string chosen;
    std::string text;
  };
  const Case cases[] = {
      {"a blank: quoted", "/opt/Office Suite/MSACCESS.EXE", "\"/opt/Office Suite/MSACCESS.EXE\""},
      {"no blank: as it is", "/opt/tools/compact.exe", "/opt/tools/compact.exe"},
      {"already quoted", "\"/opt/a b/x.exe\"", "\"/opt/a b/x.exe\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TFilenameEdit edit;
    edit.setText("typed");
    edit.setModified(true);
    ScriptedDialogs dialogs;
    dialogs.NextFile(c.chosen);
    EXPECT_TRUE(edit.Browse()) << "row: " << c.label;
    EXPECT_EQ(edit.text().toStdString(), c.text) << "row: " << c.label;
    // The window treats a picked path as the field's own text, not a change by the user.
    EXPECT_FALSE(edit.isModified()) << "row: " << c.label;
  }
}

TEST(FilenameEdit, ButtonAndAltDownOpenTheDialogAndTheNextStartsInTheLastFolder) {
  TFilenameEdit edit;
  edit.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
  ScriptedDialogs dialogs;
  dialogs.NextFile("/opt/tools/compact.exe");
  edit.BrowseButton()->trigger();
  EXPECT_EQ(edit.text(), "/opt/tools/compact.exe");
  EXPECT_TRUE(edit.hasFocus());

  edit.setText("");
  dialogs.NextFile(std::nullopt);
  QTest::keyClick(&edit, Qt::Key_Down, Qt::AltModifier);
  ASSERT_EQ(dialogs.fileDialogs.size(), 2u);
  EXPECT_EQ(dialogs.fileDialogs[1].initialDir, "/opt/tools/");
  EXPECT_EQ(edit.text(), "");

  // Other keys are typed as usual.
  QTest::keyClicks(&edit, "abc");
  EXPECT_EQ(edit.text(), "abc");
  EXPECT_EQ(dialogs.fileDialogs.size(), 2u);
}
}  // namespace
