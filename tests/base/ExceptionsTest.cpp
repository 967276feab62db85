#include "base/Exceptions.h"

#include <gtest/gtest.h>

TEST(Exceptions, ClassChainIsAskedByName) {
  EFOpenError error(Format("Cannot open file %s", "/tmp/x"));
  EXPECT_EQ(error.Message(), "Cannot open file /tmp/x");
  EXPECT_STREQ(error.what(), "Cannot open file /tmp/x");
  EXPECT_STREQ(error.ClassName(), "EFOpenError");
  EXPECT_STREQ(error.ClassParentName(), "EStreamError");
  EXPECT_TRUE(error.InheritsFrom("EFOpenError"));
  EXPECT_TRUE(error.InheritsFrom("estreamerror"));
  EXPECT_TRUE(error.InheritsFrom("Exception"));
  EXPECT_FALSE(error.InheritsFrom("EFCreateError"));
  EXPECT_FALSE(error.InheritsFrom("EStream"));
}

TEST(Exceptions, ThrownThroughTheBaseKeepsItsClass) {
  try {
    throw EAbort("");
  } catch (const Exception& e) {
    EXPECT_STREQ(e.ClassName(), "EAbort");
    EXPECT_FALSE(e.InheritsFrom("EConvertError"));
  }
}

TEST(Format, PutsArgumentsInOrder) {
  struct Case { const char* label; const char* pattern; std::initializer_list<std::string_view> args; const char* expected; };
  const Case cases[] = {
      {"one", "Unable to write to %s", {"a.ini"}, "Unable to write to a.ini"},
      {"two", "%s and %s", {"x", "y"}, "x and y"},
      {"quoted", "'%s' is not a valid date", {"2004-02-30"}, "'2004-02-30' is not a valid date"},
      {"percent", "100%% of %s", {"it"}, "100% of it"},
      {"missing argument", "%s %s", {"only"}, "only %s"},
      {"argument holds %s", "[%s]", {"%s"}, "[%s]"},
      {"trailing percent", "50%", {}, "50%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Format(c.pattern, c.args), c.expected);
  }
}
