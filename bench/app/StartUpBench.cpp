// Time from process start to the main window shown, on the offscreen platform, for the
// program and for a minimal Qt program showing one empty window.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

extern char** environ;

namespace {

bool RunToExit(const std::string& program) {
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_t child;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void StartUp(benchmark::State& state, const char* probe) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string program = std::string(BRENVOLL_TOOLS_DIR) + probe;
  for (auto _ : state) {
    if (!RunToExit(program)) {
      state.SkipWithError(("cannot run " + program).c_str());
      break;
    }
  }
}

BENCHMARK_CAPTURE(StartUp, EmptyQtWindow, "app_EmptyWindowProbe")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK_CAPTURE(StartUp, BrenvollAdmin, "app_StartUpProbe")
    ->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
