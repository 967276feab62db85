#pragma once
// One compaction configuration and its file: a profile file with everything in the
// section "Defaults", written by the editor and read by the editor and the compactor.

#include <string>
#include <vector>

// A new configuration: every text empty, both flags false, no databases.
struct CompactionConfig {
  std::vector<std::string> CompactFiles{};  // databases, in the order the editor lists them
  std::string AccessPath{}, Description{};
  bool Repair = false;
  std::string Workgroup{}, Login{}, Password{};  // Password in plain form
  bool Encrypt = false;
  std::string LaunchFile{};
};

// What ScramblePassword adds to every character code (modulo 256). Files written with one
// value cannot be read with another, so the editor and the compactor share this one.
inline constexpr int PasswordShift = 5;

std::string ScramblePassword(const std::string& plain);
std::string UnscramblePassword(const std::string& scrambled);

// Never fails: a missing file, key or value gives the new configuration's value. The
// record's AccessPath stays empty: the editor shows its own setting instead.
CompactionConfig ReadCompactionConfig(const std::string& path);

// Writes every key, creating the file when needed. A failed write of the database list
// goes unnoticed; the first failed write of another key raises EIniFileException
// "Unable to write to <path>", leaving the keys written before it in the file. A value the
// file cannot hold (a line break or NUL, also in the scrambled password) raises the same
// error before anything is written.
void WriteCompactionConfig(const std::string& path, const CompactionConfig& config);

// The Access program the configuration names (its "AccessPath" line), which
// ReadCompactionConfig leaves out; the compactor needs it. Empty when missing.
std::string ReadConfiguredAccessPath(const std::string& path);
