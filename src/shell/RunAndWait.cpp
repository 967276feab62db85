#include "shell/RunAndWait.h"

#include "shell/CommandLine.h"
#include "shell/Process.h"

bool RunAndWait(const std::string& commandLine, uint16_t /*show*/) {
  CommandLine parts = SplitCommandLine(commandLine, IsExecutableProgram);
  std::vector<std::string> argv{parts.program};
  argv.insert(argv.end(), parts.arguments.begin(), parts.arguments.end());
  return SpawnAndWait(argv).has_value();
}
