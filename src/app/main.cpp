// Placeholder entry until the main window exists: prints the application directory.
#include <cstdio>

#include "app/AppDir.h"

int main() {
  std::printf("%s\n", ApplicationDirectory().c_str());
  return 0;
}
