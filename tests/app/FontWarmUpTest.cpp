// The font configuration read beside the start-up must be the one the library would have
// read itself, also where the short way gives up. Each case runs in a child process: the
// library's current configuration is process-wide.
#include <gtest/gtest.h>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <string>

#include "app/FontWarmUp.h"
#include "support/TempDir.h"

namespace {

// What a configuration offers the program: its fonts and what the windows' font names
// resolve to.
std::string Summary(FcConfig* config) {
  FcFontSet* fonts = FcConfigGetFonts(config, FcSetSystem);
  std::string summary = "fonts=" + std::to_string(fonts ? fonts->nfont : -1);
  for (const char* request : {"Arial", "Arial:bold", "Courier New", "sans-serif:lang=ar"}) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(request));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* file = nullptr;
    summary += std::string(" ") + request + "=";
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
      summary += reinterpret_cast<const char*>(file);
    }
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
  }
  return summary;
}

// Exits 0 when the warmed-up configuration is the current one and offers what the
// library's own start would, 1 otherwise.
void CompareWithLibraryStart(const char* configurationFile, const std::string& fontless) {
  if (configurationFile) {
    setenv("FONTCONFIG_FILE", configurationFile, 1);
  } else {
    unsetenv("FONTCONFIG_FILE");
  }
  {
    TFontWarmUp fonts;
    fonts.Wait();
  }
  FcConfig* own = FcInitLoadConfigAndFonts();
  // Were the warmed-up configuration not current, the library would read this one now.
  setenv("FONTCONFIG_FILE", fontless.c_str(), 1);
  const bool same = own && Summary(FcConfigGetCurrent()) == Summary(own);
  std::_Exit(same ? 0 : 1);
}

TEST(FontWarmUp, OffersWhatTheLibrarysOwnStartWould) {
  TempDir folder;
  const std::string broken =
      folder.Write("broken.conf", "<fontconfig><dir>/usr/share/fonts</fontconfig>");
  const std::string fontless = folder.Write("fontless.conf", "<fontconfig></fontconfig>");
  const std::string uncached =
      folder.Write("uncached.conf", "<fontconfig><dir>/usr/share/fonts</dir></fontconfig>");

  const struct {
    const char* label;
    const char* file;
  } cases[] = {
      {"the system's configuration", nullptr},
      {"a missing configuration file", "/nonexistent/fonts.conf"},
      {"a configuration that does not parse", broken.c_str()},
      {"a configuration without a cache folder", uncached.c_str()},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.label);
    EXPECT_EXIT(CompareWithLibraryStart(row.file, fontless), testing::ExitedWithCode(0), "")
        << "configuration: " << row.label;
  }
}

}  // namespace
