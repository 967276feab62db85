#pragma once
// The dispatch table of fbxmap's subcommands (listed in Commands.def).

struct FbxmapCommand {
  const char* name;
  const char* usage;
  int (*run)(int argc, char** argv);
};

#define FBXMAP_COMMAND(function, name, usage) int function(int argc, char** argv);
#include "Commands.def"
#undef FBXMAP_COMMAND

inline constexpr FbxmapCommand kFbxmapCommands[] = {
#define FBXMAP_COMMAND(function, name, usage) {name, usage, function},
#include "Commands.def"
#undef FBXMAP_COMMAND
};
