#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

namespace {
bool HasCacheDirectory(FcConfig* config) {
  FcStrList* directories = FcConfigGetCacheDirs(config);
  const bool any = directories && FcStrListNext(directories);
  if (directories) FcStrListDone(directories);
  return any;
}

// What FcInit does, less one step: FcInit also parses every configuration template the
// system offers (not only the enabled ones) just to describe them to listing tools, which
// doubles the reading. Any configuration this short way cannot take (no file, no cache
// folder, a parse error) is left to FcInit and its fallbacks.
void LoadFontConfiguration() {
  FcConfig* config = FcConfigCreate();
  const bool loaded = config && FcConfigParseAndLoad(config, nullptr, FcTrue) &&
                      HasCacheDirectory(config) && FcConfigBuildFonts(config) &&
                      FcConfigSetCurrent(config);
  if (config) FcConfigDestroy(config);  // the library keeps its own reference when current
  if (!loaded) FcInit();
}
}  // namespace

// The library keeps the configuration read here as its current one, which is what Qt's
// font database takes when it is first used.
TFontWarmUp::TFontWarmUp() {
  try {
    reader_ = std::thread(LoadFontConfiguration);
  } catch (const std::system_error&) {
    // No thread to spare: Qt reads the configuration itself when it first needs it.
  }
}

TFontWarmUp::~TFontWarmUp() { Wait(); }

void TFontWarmUp::Wait() {
  if (reader_.joinable()) reader_.join();
}
