// fbxmap: writes, shows and queries the symbol maps of the crash reporter.
#include <cstdio>
#include <cstring>

#include "Commands.h"

int main(int argc, char** argv) {
  if (argc >= 2) {
    for (const auto& command : kFbxmapCommands) {
      if (std::strcmp(argv[1], command.name) == 0) return command.run(argc - 1, argv + 1);
    }
  }
  std::fprintf(stderr, "usage:\n");
  for (const auto& command : kFbxmapCommands) std::fprintf(stderr, "  fbxmap %s\n", command.usage);
  return 2;
}
