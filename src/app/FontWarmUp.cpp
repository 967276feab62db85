#include "app/FontWarmUp.h"

#include <fontconfig/fontconfig.h>

// The library keeps the configuration read here as its current one, which is what Qt's
// font database takes when it is first used.
TFontWarmUp::TFontWarmUp() : reader_([] { FcInit(); }) {}

TFontWarmUp::~TFontWarmUp() { Wait(); }

void TFontWarmUp::Wait() {
  if (reader_.joinable()) reader_.join();
}
