// Time from process start to the main window shown, on the offscreen platform, for the
// program, for a minimal Qt program showing one empty window and for that window with one
// line of text. The clock starts just before the spawn; the probe reports on standard
// output when its window was first shown (FirstShownReport.h). Its teardown at exit is
// waited for but not timed.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>

extern char** environ;

namespace {

long long MonotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[256];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
      text.append(buffer, static_cast<size_t>(got));
    } else if (got == 0 || errno != EINTR) {
      return text;
    }
  }
}

// Runs the probe to its end; returns the nanoseconds from just before its spawn to the
// moment it reported its window shown, or nothing when it failed.
std::optional<long long> TimeToShown(const std::string& program) {
  int output[2];
  if (pipe(output) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  posix_spawn_file_actions_addclose(&actions, output[1]);
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  pid_t child;
  const long long spawned = MonotonicNanoseconds();
  const int spawnError = posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  if (spawnError != 0) {
    close(output[0]);
    return std::nullopt;
  }
  const std::string report = ReadAll(output[0]);
  close(output[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  char* end = nullptr;
  const long long shown = std::strtoll(report.c_str(), &end, 10);
  if (end == report.c_str() || *end != '\n' || shown < spawned) return std::nullopt;
  return shown - spawned;
}

void StartUp(benchmark::State& state, const char* probe) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string program = std::string(BRENVOLL_TOOLS_DIR) + probe;
  for (auto _ : state) {
    std::optional<long long> nanoseconds = TimeToShown(program);
    if (!nanoseconds) {
      state.SkipWithError(("cannot run " + program + " to its window shown").c_str());
      break;
    }
    state.SetIterationTime(static_cast<double>(*nanoseconds) / 1e9);
  }
}

BENCHMARK_CAPTURE(StartUp, EmptyQtWindow, "app_EmptyWindowProbe")
    ->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK_CAPTURE(StartUp, QtWindowWithText, "app_LabelWindowProbe")
    ->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);
BENCHMARK_CAPTURE(StartUp, BrenvollAdmin, "app_StartUpProbe")
    ->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

}  // namespace
