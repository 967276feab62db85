#include "config/WineRegistry.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WineRegistry, FindsValuesAsWineWritesThem) {
  struct Case {
    const char* label;
    std::string file;
    const char* value;  // the value name looked up in key "A\B"
    bool found;
    bool isText;
    std::string text;
  };
  const Case cases[] = {
      {"escaped backslash and quote", "[A\\\\B] 1\n\"N\"=\"x\\\"y\\\\z\"\n", "N", true, true, "x\"y\\z"},
      {"names without regard to case", "[a\\\\b]\n\"OfficeBin\"=\"v\"\n", "officebin", true, true, "v"},
      {"the default value", "[A\\\\B]\n@=\"d\"\n", "", true, true, "d"},
      {"CR LF lines and blanks around =", "[A\\\\B] 1\r\n\"N\" = \"v\"\r\n", "N", true, true, "v"},
      {"C escapes and octal", "[A\\\\B]\n\"N\"=\"a\\tb\\101\\x\"\n", "N", true, true, "a\tbAx"},
      {"beyond 8 bits becomes ?", "[A\\\\B]\n\"N\"=\"\\x00e9\\x4e2d\\xd83d\\xde00\"\n", "N", true, true,
       "\xe9??"},
      {"text ends at its first zero", "[A\\\\B]\n\"N\"=\"a\\0b\"\n", "N", true, true, "a"},
      {"expandable text", "[A\\\\B]\n\"N\"=str(2):\"%SystemRoot%\"\n", "N", true, true, "%SystemRoot%"},
      {"multi-string is no text", "[A\\\\B]\n\"N\"=str(7):\"a\\0b\\0\"\n", "N", true, false, ""},
      {"binary is no text", "[A\\\\B]\n\"N\"=hex:01,02,\\\n  03\n", "N", true, false, ""},
      {"dword is no text", "[A\\\\B]\n\"N\"=dword:0000001f\n", "N", true, false, ""},
      {"text as UTF-16 bytes", "[A\\\\B]\n\"N\"=hex(1):41,00,42,00,00,00\n", "N", true, true, "AB"},
      {"value of a subkey", "[A\\\\B\\\\C]\n\"N\"=\"v\"\n", "N", false, false, ""},
      {"value of the next key", "[A\\\\B]\n\"M\"=\"v\"\n[Z]\n\"N\"=\"v\"\n", "N", false, false, ""},
      {"only the first key of a name", "[A\\\\B]\n[A\\\\B]\n\"N\"=\"v\"\n", "N", false, false, ""},
      {"unterminated text is no value", "[A\\\\B]\n\"N\"=\"open\n", "N", false, false, ""},
      {"unknown type is no value", "[A\\\\B]\n\"N\"=qword:1\n", "N", false, false, ""},
      {"malformed hex is no value", "[A\\\\B]\n\"N\"=hex(1):4\n", "N", false, false, ""},
      {"unterminated key line", "[A\\\\B\n\"N\"=\"v\"\n", "N", false, false, ""},
      {"line ends inside an escape", "[A\\\\B]\n\"N\"=\"v\\", "N", false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const std::optional<WineRegistryValue> value = FindWineRegistryValue(c.file, "A\\B", c.value);
    ASSERT_EQ(value.has_value(), c.found);
    if (!value) continue;
    EXPECT_EQ(value->isText, c.isText);
    EXPECT_EQ(value->text, c.text);
  }
}

}  // namespace
