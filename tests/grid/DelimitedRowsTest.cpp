#include "grid/DelimitedRows.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "TableRows.h"
#include "base/Exceptions.h"
#include "support/TempDir.h"

namespace {

// The schedule grid's shape: a fixed column and three data columns.
constexpr int kScheduleCols = 3;

TEST(DelimitedRows, SaveWritesEveryDataRowAndColumn) {
  struct Case {
    const char* label;
    Rows data;
    char delimiter;
    bool withTitles;
    std::string expected;
  };
  const Case cases[] = {
      {"schedule rows",
       {{"Nightly sales", "C:\\Configs\\sales.cfg", "d|1|2004-03-15"},
        {"Reports", "C:\\Configs\\reports.cfg", ""},
        {"", "C:\\Configs\\nodesc.cfg", "w|2|2004-03-01"}},
       '\t',
       false,
       "Nightly sales\tC:\\Configs\\sales.cfg\td|1|2004-03-15\r\n"
       "Reports\tC:\\Configs\\reports.cfg\t\r\n"
       "\tC:\\Configs\\nodesc.cfg\tw|2|2004-03-01\r\n"},
      {"all-empty row kept", {{"a", "b", "c"}, {}, {"x", "", ""}}, '\t', false, "a\tb\tc\r\n\t\t\r\nx\t\t\r\n"},
      {"one empty row", {{}}, '\t', false, "\t\t\r\n"},
      {"titles first", {{"a", "b", "c"}}, ',', true, "T1,T2,T3\r\na,b,c\r\n"},
      {"nothing quoted", {{"say \"hi\"", "a,b", " x "}}, ',', false, "say \"hi\",a,b, x \r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(DelimitedRowsText(TableWithData(kScheduleCols, c.data), c.delimiter, c.withTitles), c.expected)
        << c.label;
  }
}

TEST(DelimitedRows, LoadFillsDataColumnsFromFields) {
  struct Case {
    const char* label;
    std::string text;
    bool withTitles;
    Rows expected;  // every row from row 0, data columns only
  };
  const Case cases[] = {
      {"schedule lines",
       "Nightly sales\tC:\\sales.cfg\td|1|2004-03-15\r\nReports\tC:\\reports.cfg\t\r\n",
       false,
       {{"", "", ""}, {"Nightly sales", "C:\\sales.cfg", "d|1|2004-03-15"}, {"Reports", "C:\\reports.cfg", ""}}},
      {"leading empty cell", "\tC:\\nodesc.cfg\tw|2|2004-03-01\r\n", false,
       {{"", "", ""}, {"", "C:\\nodesc.cfg", "w|2|2004-03-01"}}},
      {"all-empty rows", "\t\t\r\n\t\t\r\n", false, {{"", "", ""}, {"", "", ""}, {"", "", ""}}},
      {"blanks dropped", "  a \t\tb  \r\n", false, {{"", "", ""}, {"a", "", "b"}}},
      {"enclosing quotes dropped", "\"quoted\"\t\"a\tb\"\tc\r\n", false, {{"", "", ""}, {"quoted", "a\tb", "c"}}},
      {"lone quote takes the rest of its line", "a\t\"b\tc\r\nd\te\tf\r\n", false,
       {{"", "", ""}, {"a", "\"b\tc", ""}, {"d", "e", "f"}}},
      {"more fields than columns", "a\tb\tc\td\te\r\n", false, {{"", "", ""}, {"a", "b", "c"}}},
      {"fewer fields than columns", "a\r\n", false, {{"", "", ""}, {"a", "", ""}}},
      {"empty text", "", false, {{"", "", ""}, {"", "", ""}}},
      {"LF only", "a\nb\n", false, {{"", "", ""}, {"a", "", ""}, {"b", "", ""}}},
      {"CR only", "a\rb\r", false, {{"", "", ""}, {"a", "", ""}, {"b", "", ""}}},
      {"LF CR is two line ends", "a\n\rb", false, {{"", "", ""}, {"a", "", ""}, {"", "", ""}, {"b", "", ""}}},
      {"last line without an end", "a\r\nb", false, {{"", "", ""}, {"a", "", ""}, {"b", "", ""}}},
      {"NUL ends the text", std::string("a\r\nb\0c\r\nd\r\n", 11), false,
       {{"", "", ""}, {"a", "", ""}, {"b", "", ""}}},
      {"titles from the first line", "x,y\r\na,b,c\r\n", true, {{"x", "y", ""}, {"a", "b", "c"}}},
      {"titles only", "x,y,z\r\n", true, {{"x", "y", "z"}, {"", "", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    char delimiter = c.withTitles ? ',' : '\t';
    CellTable table = TableWithData(kScheduleCols, {{"old", "old", "old"}, {"old"}, {"old"}, {"old"}, {"old"}});
    LoadDelimitedRows(table, c.text, delimiter, c.withTitles);
    EXPECT_EQ(RowsOf(table, 0, 1), c.expected) << c.label;
    for (int row = 0; row < table.RowCount(); ++row)
      EXPECT_EQ(table.Cell(0, row), "") << c.label << ": the fixed column is emptied, row " << row;
  }
}

TEST(DelimitedRows, RoundTripKeepsCellsInTheirColumns) {
  Rows data = {{"", "C:\\nodesc.cfg", "w|2|2004-03-01"}, {"", "", ""}, {"\"q\"", "", "x"}, {"Reports", "r.cfg", ""}};
  CellTable saved = TableWithData(kScheduleCols, data);
  CellTable loaded = TableWithData(kScheduleCols, {});
  LoadDelimitedRows(loaded, DelimitedRowsText(saved, '\t', false), '\t', false);
  data[2][0] = "q";  // the enclosing quotes are the format's, not the cell's
  EXPECT_EQ(RowsOf(loaded, 1, 1), data);
}

class DelimitedFiles : public ::testing::Test {
protected:
  TempDir dir;
  CellTable table = TableWithData(kScheduleCols, {{"keep", "me", "here"}});
};

TEST_F(DelimitedFiles, SaveAndLoadThroughAFile) {
  std::string file = dir.File("schedfile.dat");
  SaveRowsToDelimitedFile(table, file, '\t', false);
  EXPECT_EQ(TempDir::Read(file), "keep\tme\there\r\n");
  CellTable loaded = TableWithData(kScheduleCols, {{"a"}, {"b"}});
  EXPECT_TRUE(LoadRowsFromDelimitedFile(loaded, file, '\t', false));
  EXPECT_EQ(RowsOf(loaded, 1, 1), (Rows{{"keep", "me", "here"}}));
}

TEST_F(DelimitedFiles, SaveReplacesAnExistingFileWhole) {
  std::string file = dir.Write("schedfile.dat", std::string(1000, 'x'));
  SaveRowsToDelimitedFile(table, file, '\t', false);
  EXPECT_EQ(TempDir::Read(file), "keep\tme\there\r\n");
}

TEST_F(DelimitedFiles, EmptyFileNameWritesNothing) {
  EXPECT_NO_THROW(SaveRowsToDelimitedFile(table, "", '\t', false));
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(DelimitedFiles, MissingFileLeavesTheTableAlone) {
  for (std::string name : {dir.File("missing.dat"), dir.Path(), std::string()}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(LoadRowsFromDelimitedFile(table, name, '\t', false)) << name;
    EXPECT_EQ(RowsOf(table, 0, 1), (Rows{{"T1", "T2", "T3"}, {"keep", "me", "here"}})) << name;
  }
}

TEST_F(DelimitedFiles, EmptyFileLeavesOneEmptyDataRow) {
  EXPECT_TRUE(LoadRowsFromDelimitedFile(table, dir.Write("empty.dat", ""), '\t', false));
  EXPECT_EQ(RowsOf(table, 0, 0), (Rows{{"", "", "", ""}, {"", "", "", ""}}));
}

TEST_F(DelimitedFiles, FileThatCannotBeOpenedRaisesAndLeavesTheTableAlone) {
  // A socket exists as a file but cannot be opened, also for a privileged user.
  std::string path = dir.File("socket.dat");
  int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  path.copy(address.sun_path, path.size());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  try {
    LoadRowsFromDelimitedFile(table, path, '\t', false);
    ADD_FAILURE() << "no error";
  } catch (const EFOpenError& error) {
    EXPECT_EQ(error.Message(), "Cannot open file " + path);
  }
  close(sock);
  EXPECT_EQ(RowsOf(table, 1, 1), (Rows{{"keep", "me", "here"}}));
}

TEST_F(DelimitedFiles, FileThatCannotBeCreatedRaises) {
  std::string file = dir.File("no-such-folder/schedfile.dat");
  try {
    SaveRowsToDelimitedFile(table, file, '\t', false);
    ADD_FAILURE() << "no error";
  } catch (const EFCreateError& error) {
    EXPECT_EQ(error.Message(), "Cannot create file " + file);
  }
}

// A child process whose files may not grow beyond a few bytes saves a long table: the save
// must raise "Stream write error" and leave the old schedule file exactly as it was.
TEST_F(DelimitedFiles, FailedWriteLeavesTheOldFileIntact) {
  const std::string old = "old\tschedule\td|1|2004-03-15\r\n";
  std::string file = dir.Write("schedfile.dat", old);
  Rows many(500, {"a long description", "C:\\Configs\\some.cfg", "d|1|2004-03-15"});
  CellTable big = TableWithData(kScheduleCols, many);

  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{64, 64};
    setrlimit(RLIMIT_FSIZE, &limit);
    int code = 3;
    try {
      SaveRowsToDelimitedFile(big, file, '\t', false);
      code = 1;
    } catch (const EWriteError& error) {
      code = error.Message() == "Stream write error" ? 0 : 2;
    } catch (...) {
    }
    _exit(code);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error, 2: wrong message, 3: wrong error class";
  EXPECT_EQ(TempDir::Read(file), old);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) ++files;
  EXPECT_EQ(files, 1) << "a temporary file was left behind";
}

}  // namespace
