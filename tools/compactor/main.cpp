// Brenvoll.exe <configuration file>: compacts the databases of a configuration with its
// Access program, one after another, then opens its launch file. Exit code: 0 when every
// database was compacted, else the number of failures (at most 255); 2 when the
// configuration is missing or unreadable.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "AccessCommand.h"
#include "config/CompactionConfig.h"
#include "shell/Process.h"

namespace {

constexpr int UsageExitCode = 2;
constexpr int MaxExitCode = 255;

// The launcher hands over the rest of its command line, so a path with blanks may come
// as several arguments, or as one in double quotes.
std::string ConfigurationPath(int argc, char** argv) {
  std::string path;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) path += ' ';
    path += argv[i];
  }
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') {
    path = path.substr(1, path.size() - 2);
  }
  return path;
}

// Reading a configuration never fails (a missing file reads as an empty one), so the
// file is checked first: compacting nothing is no answer to a mistyped path.
bool IsReadableFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && std::ifstream(path).good();
}

int Usage(const std::string& problem) {
  std::cerr << "Brenvoll.exe: " << problem << "\n"
            << "usage: Brenvoll.exe <configuration file>\n";
  return UsageExitCode;
}

// One line per database; true when Access ran and ended with exit code 0.
bool CompactDatabase(const std::string& accessPath, const CompactionConfig& config,
                     const std::string& database) {
  const std::vector<std::string> command = AccessCommand(accessPath, config, database);
  const std::optional<int> exitCode = SpawnAndWait(command);
  if (!exitCode) {
    std::cout << "Failed: " << database << " (cannot start \"" << command.front() << "\")"
              << std::endl;
    return false;
  }
  if (*exitCode != 0) {
    std::cout << "Failed: " << database << " (Access ended with exit code " << *exitCode << ")"
              << std::endl;
    return false;
  }
  std::cout << "Compacted: " << database << std::endl;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = ConfigurationPath(argc, argv);
  if (path.empty()) return Usage("no configuration file given");
  if (!IsReadableFile(path)) return Usage("cannot read the configuration file \"" + path + "\"");

  const CompactionConfig config = ReadCompactionConfig(path);
  const std::string accessPath = ReadConfiguredAccessPath(path);
  if (config.CompactFiles.empty()) std::cout << "No databases to compact." << std::endl;
  int failures = 0;
  for (const std::string& database : config.CompactFiles) {
    if (!CompactDatabase(accessPath, config, database)) ++failures;
  }
  if (!config.LaunchFile.empty()) {
    if (OpenWithDefaultProgram(config.LaunchFile)) {
      std::cout << "Opened: " << config.LaunchFile << std::endl;
    } else {
      std::cout << "Could not open: " << config.LaunchFile << std::endl;
    }
  }
  return std::min(failures, MaxExitCode);
}
