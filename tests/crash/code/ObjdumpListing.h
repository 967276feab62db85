#pragma once
// The instructions `objdump -d` lists for an ELF file, as a second peer of the decoder
// checks: length, class and relative target per address.
#include <cstdint>
#include <map>
#include <string>

struct ObjdumpInstruction {
  int length = 0;
  bool invalid = false;  // "(bad)"
  bool partly = false;   // "(bad)" among the operands: objdump gave up on part of it
  bool call = false, jump = false;
  bool hasTarget = false;  // a direct target
  uint64_t target = 0;
  std::string text;
};

// By address; empty when objdump cannot be run. bits32 decodes as IA-32 (-M i386).
std::map<uint64_t, ObjdumpInstruction> ObjdumpListing(const std::string& file, bool bits32);
