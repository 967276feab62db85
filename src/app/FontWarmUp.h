#pragma once
// Reads the font configuration on a second thread while the application object is made.
// The first text drawn needs it, and reading it (the configuration files and the font
// caches) is the longest single step of the start-up.

#include <thread>

class TFontWarmUp {
public:
  TFontWarmUp();   // starts reading
  ~TFontWarmUp();  // waits for the reading to end

  // Waits for the reading to end; call it before the first text is measured or drawn,
  // so the configuration is not read twice.
  void Wait();

private:
  std::thread reader_;
};
