#include <gtest/gtest.h>

#include "base/Exceptions.h"
#include "profile/Numbers.h"

namespace {

TEST(Numbers, TryTextToInt) {
  struct Case { const char* label; const char* text; bool ok; int32_t value; };
  const Case cases[] = {
      {"decimal", "15", true, 15},
      {"leading blanks", "   15", true, 15},
      {"plus", "+7", true, 7},
      {"minus", "-7", true, -7},
      {"lowest", "-2147483648", true, INT32_MIN},
      {"highest", "2147483647", true, INT32_MAX},
      {"leading zeros", "000012", true, 12},
      {"dollar", "$ff", true, 255},
      {"x", "x1F", true, 31},
      {"X", "X1f", true, 31},
      {"0x", "0x10", true, 16},
      {"0X", "0XaB", true, 171},
      {"pattern wraps", "$FFFFFFFF", true, -1},
      {"highest bit", "$80000000", true, INT32_MIN},
      {"zeros before eight digits", "$000000001", true, 1},
      {"nine significant digits", "$100000000", false, 0},
      {"above the range", "2147483648", false, 0},
      {"below the range", "-2147483649", false, 0},
      {"far above the range", "99999999999999999999", false, 0},
      {"empty", "", false, 0},
      {"blanks only", "  ", false, 0},
      {"lone sign", "-", false, 0},
      {"lone marker", "$", false, 0},
      {"sign before a marker", "-$10", false, 0},
      {"trailing letter", "12a", false, 0},
      {"trailing blank", "12 ", false, 0},
      {"blank after the sign", "- 1", false, 0},
      {"not hexadecimal", "$1g", false, 0},
      {"tab is no blank", "\t1", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    int32_t value = 0;
    EXPECT_EQ(TryTextToInt(c.text, value), c.ok) << c.label;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.label;
    }
  }
}

TEST(Numbers, TextToIntRaisesConvertError) {
  EXPECT_EQ(TextToInt("$10"), 16);
  try {
    TextToInt("ten");
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'ten' is not a valid integer value");
  }
}

}  // namespace
