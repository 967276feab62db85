// BrenvollAdmin: the administration program of the Brenvoll database compactor.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/DisplayCheck.h"
#include "app/StartUp.h"

int main(int argc, char** argv) {
  const std::string noDisplay = MissingDisplayMessage(std::getenv);
  if (!noDisplay.empty()) {
    std::fprintf(stderr, "%s\n", noDisplay.c_str());
    return 1;
  }
  return RunProgram(argc, argv);
}
