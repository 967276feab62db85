#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

// The library keeps the configuration read here as its current one, which is what Qt's
// font database takes when it is first used.
TFontWarmUp::TFontWarmUp() {
  try {
    reader_ = std::thread([] { FcInit(); });
  } catch (const std::system_error&) {
    // No thread to spare: Qt reads the configuration itself when it first needs it.
  }
}

TFontWarmUp::~TFontWarmUp() { Wait(); }

void TFontWarmUp::Wait() {
  if (reader_.joinable()) reader_.join();
}
