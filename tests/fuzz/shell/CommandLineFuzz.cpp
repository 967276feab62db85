// Command lines come from configuration files and the schedule: any bytes must split
// without reading past the text, and every output character comes from the input.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view line(reinterpret_cast<const char*>(data), size);
  // Programs are the prefixes of odd length, so the prefix search takes varied turns.
  CommandLine split =
      SplitCommandLine(line, [](const std::string& name) { return name.size() % 2 == 1; });
  size_t produced = split.program.size();
  for (const std::string& argument : split.arguments) produced += argument.size();
  if (produced > size) std::abort();
  return 0;
}
