#include <gtest/gtest.h>

#include "profile/TextFields.h"

namespace {

TEST(TextFields, ExtractBothVariants) {
  struct Case {
    const char* label;
    std::string text;
    char delimiter;
    int index;
    const char* quoted;  // ExtractQuotedField
    const char* plain;   // ExtractField
  };
  const Case cases[] = {
      {"first", "a|b|c", '|', 0, "a", "a"},
      {"last", "a|b|c", '|', 2, "c", "c"},
      {"beyond the last", "a|b|c", '|', 3, "", ""},
      {"empty field", "a||c", '|', 1, "", ""},
      {"after an empty field", "a||c", '|', 2, "c", "c"},
      {"empty text", "", '|', 0, "", ""},
      {"leading delimiter", "|a", '|', 0, "", ""},
      {"quoted delimiter", "\"x|y\"|z", '|', 0, "x|y", "x|y"},
      {"after a quoted field", "\"x|y\"|z", '|', 1, "z", "z"},
      {"quotes inside stay", "ab\"c|d\"e|f", '|', 0, "ab\"c|d\"e", "ab\"c|d\"e"},
      {"blanks inside quotes go", "\" padded \"|b", '|', 0, "padded", "padded"},
      {"doubled quotes", "\"say \"\"hi\"\"\"|z", '|', 0, "say \"hi\"", "say \"\"hi\"\""},
      {"doubled quote in the middle", "\"a\"\"b\"|c", '|', 0, "a\"b", "a\"\"b"},
      {"empty quotes", "a|\"\"|b", '|', 1, "", ""},
      {"unterminated quote", "\"unterminated|x", '|', 0, "\"unterminated|x", "\"unterminated|x"},
      {"after an unterminated quote", "\"unterminated|x", '|', 1, "", ""},
      {"path list", "C:\\db\\one.mdb|C:\\db\\two.mdb|", '|', 1, "C:\\db\\two.mdb", "C:\\db\\two.mdb"},
      {"after the trailing delimiter", "C:\\db\\one.mdb|C:\\db\\two.mdb|", '|', 2, "", ""},
      {"schedule code date", "d|1|2004-03-15", '|', 2, "2004-03-15", "2004-03-15"},
      {"blanks trimmed", "  spaced  ", '|', 0, "spaced", "spaced"},
      {"blanks outside quotes keep them", " \"x\" ", '|', 0, "\"x\"", "\"x\""},
      {"control characters trimmed", "\t\x01v\x1f|", '|', 0, "v", "v"},
      {"high bytes kept", "\xe9t\xe9|", '|', 0, "\xe9t\xe9", "\xe9t\xe9"},
      {"lone quote", "\"", '|', 0, "", ""},
      {"tab inside quotes", "x\t\"y\tz\"\tw", '\t', 1, "y\tz", "y\tz"},
      {"after a quoted tab", "x\t\"y\tz\"\tw", '\t', 2, "w", "w"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(ExtractQuotedField(c.text, c.delimiter, c.index), c.quoted) << c.label;
    EXPECT_EQ(ExtractField(c.text, c.delimiter, c.index), c.plain) << c.label;
  }
}

TEST(TextFields, LeftText) {
  struct Case { const char* label; const char* text; int count; const char* expected; };
  const Case cases[] = {
      {"kind letter", "d|1|2004-03-15", 1, "d"},
      {"count beyond the length", "abc", 5, "abc"},
      {"zero", "abc", 0, ""},
      {"negative", "abc", -1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(LeftText(c.text, c.count), c.expected) << c.label;
  }
}

TEST(TextFields, FileNameWithoutExt) {
  struct Case { const char* label; const char* path; const char* expected; };
  const Case cases[] = {
      {"backslash path", "C:\\Tools\\compact.exe", "compact"},
      {"slash path", "/opt/tools/compact.exe", "compact"},
      {"drive only", "C:compact.exe", "compact"},
      {"last extension only", "archive.tar.gz", "archive.tar"},
      {"repeated extension", "x.exe.exe", "x.exe"},
      {"no extension", "README", "README"},
      {"dot in a folder only", "/a.b/README", "README"},
      {"only an extension", ".profile", ""},
      {"empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(FileNameWithoutExt(c.path), c.expected) << c.label;
  }
}

}  // namespace
