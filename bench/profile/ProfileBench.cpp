// ReadText and WriteText on a 1 MB profile file of 20,000 keys, and inih's full parse of
// the same file as the yardstick. The key asked for is the last one, so a read walks the
// whole file as the parse does; every write changes the value, so every write replaces
// the file (temporary file, fsync, rename).
#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "profile/IniFile.h"

namespace {

constexpr int Sections = 200;
constexpr int KeysPerSection = 100;

std::string SectionName(int i) { return "Section" + std::to_string(i); }
std::string KeyName(int i) { return "Key" + std::to_string(10000 + i); }

// A folder of the run's own, removed when the run ends.
struct BenchFolder {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("brenvoll-bench-profile-" + std::to_string(::getpid()));
  BenchFolder() { std::filesystem::create_directories(path); }
  ~BenchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

// The file, made once per run.
const std::string& ProfilePath() {
  static const BenchFolder folder;
  static const std::string path = [] {
    std::string file = (folder.path / "large.ini").string();
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::string value = "C:\\Databases\\Customers\\archive-2004.mdb";
    for (int s = 0; s < Sections; ++s) {
      out << "[" << SectionName(s) << "]\r\n";
      for (int k = 0; k < KeysPerSection; ++k) {
        out << KeyName(s * KeysPerSection + k) << "=" << value << "\r\n";
      }
      out << "\r\n";
    }
    return file;
  }();
  return path;
}

const std::string LastSection = SectionName(Sections - 1);
const std::string LastKey = KeyName(Sections * KeysPerSection - 1);

void SetFileCounters(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(ProfilePath())));
}

void InihFullParse(benchmark::State& state) {
  for (auto _ : state) {
    long entries = 0;
    ini_parse(ProfilePath().c_str(),
              [](void* user, const char*, const char*, const char*) {
                ++*static_cast<long*>(user);
                return 1;
              },
              &entries);
    benchmark::DoNotOptimize(entries);
  }
  SetFileCounters(state);
}
BENCHMARK(InihFullParse)->Unit(benchmark::kMicrosecond);

void ProfileReadText(benchmark::State& state) {
  TIniFile ini(ProfilePath());
  for (auto _ : state) {
    benchmark::DoNotOptimize(ini.ReadText(LastSection, LastKey, ""));
  }
  SetFileCounters(state);
}
BENCHMARK(ProfileReadText)->Unit(benchmark::kMicrosecond);

void ProfileWriteText(benchmark::State& state) {
  TIniFile ini(ProfilePath());
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    ini.WriteText(LastSection, LastKey, flip ? "C:\\Databases\\one.mdb" : "C:\\Databases\\two.mdb");
  }
  SetFileCounters(state);
}
BENCHMARK(ProfileWriteText)->Unit(benchmark::kMicrosecond);

}  // namespace
