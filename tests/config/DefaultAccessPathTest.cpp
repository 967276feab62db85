#include "config/DefaultAccessPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "base/Exceptions.h"
#include "support/TempDir.h"

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string Fixture(const char* name) {
  return TempDir::Read(std::string(BRENVOLL_TEST_DATA "/config/wine/") + name);
}

TEST(DefaultAccessPath, FromThePrefixRegistry) {
  struct Case {
    const char* label;
    const char* fixture;  // copied to the prefix as system.reg; null: no file
    const char* expected;
  };
  const Case cases[] = {
      {"prefix without registry", nullptr, "\\Msaccess.exe"},
      {"key present", "office97.reg", "C:\\Program Files\\Microsoft Office\\Office\\Msaccess.exe"},
      {"value ending in a backslash: doubled", "trailing-backslash.reg", "C:\\Office\\\\Msaccess.exe"},
      {"key without the value", "no-value.reg", "\\Msaccess.exe"},
      {"64-bit prefix: the 32-bit view", "win64.reg",
       "C:\\Program Files (x86)\\Office\\Msaccess.exe"},
      {"expandable text stored as bytes", "expandable-hex.reg", "C:\\Off\xe9" "ce\\Msaccess.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir prefix;
    if (c.fixture != nullptr) prefix.Write("system.reg", Fixture(c.fixture));
    ScopedEnv wine("WINEPREFIX", prefix.Path());
    EXPECT_EQ(DefaultAccessPath(), c.expected);
  }
}

TEST(DefaultAccessPath, ValueOfAnotherTypeRaises) {
  TempDir prefix;
  prefix.Write("system.reg", Fixture("dword.reg"));
  ScopedEnv wine("WINEPREFIX", prefix.Path());
  try {
    DefaultAccessPath();
    FAIL() << "no error raised";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "Invalid data type for 'OfficeBin'");
  }
}

TEST(DefaultAccessPath, WithoutWineprefixTheHomePrefix) {
  TempDir home;
  std::filesystem::create_directory(home.File(".wine"));
  home.Write(".wine/system.reg", Fixture("trailing-backslash.reg"));
  for (const std::optional<std::string>& unset : {std::optional<std::string>(), std::optional<std::string>("")}) {
    SCOPED_TRACE(unset ? "WINEPREFIX empty" : "WINEPREFIX unset");
    ScopedEnv wine("WINEPREFIX", unset);
    ScopedEnv homeVar("HOME", home.Path());
    EXPECT_EQ(DefaultAccessPath(), "C:\\Office\\\\Msaccess.exe");
  }
}

}  // namespace
