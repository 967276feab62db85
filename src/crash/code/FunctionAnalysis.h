#pragma once
// Walking a whole function's machine code from its entry: which address ranges belong to
// it, which calls it makes (with their return addresses), and which calls and jumps go to
// targets that cannot be determined. The stack tracer asks these facts to tell return
// addresses from other stack values; the entry patcher asks whether the entry can be
// rewritten.
//
// Nothing here faults or throws on bad memory (all reads go through a MemoryReader).
// Allocates, so it must not run in a signal handler.

#include <cstdint>
#include <string>
#include <vector>

#include "crash/code/GuardedRead.h"
#include "crash/code/Instruction.h"
#include "crash/code/RegisterState.h"

struct TCodeArea {
  uint64_t start = 0;
  uint64_t end = 0;   // last byte, inclusive
  bool data = false;  // a jump table inside the code
  RegisterState registers;  // known at the start
};

struct TCallSite {
  bool call = true;  // false: a jump that leaves the function (tail jump)
  uint64_t address = 0;
  uint64_t next = 0;  // the return address of a call
  uint64_t target = 0;
  uint64_t targetField = 0;
  uint64_t targetCell = 0;
};

struct TUnresolvedSite {
  bool call = true;
  uint64_t address = 0;
  uint64_t next = 0;
};

struct TFunctionInfo {
  bool valid = false;
  uint64_t entry = 0;
  uint64_t codeStart = 0;
  uint64_t codeLength = 0;
  // On failure:
  uint64_t errorAddress = 0;
  int errorCode = 0;
  std::string errorText;
  std::vector<TCodeArea> areas;  // by start address
  std::vector<TCallSite> callSites;
  std::vector<TUnresolvedSite> unresolved;
  bool patchable = false;  // the first 6 bytes at the entry can be rewritten safely
  // Some path returns to the caller (or leaves by a jump whose end is not known); false for
  // a routine that only throws, exits or aborts.
  bool returns = false;
};

// The text of a function whose bytes do not decode.
inline constexpr const char* kInvalidCodeText = "Invalid code!";

// What the analysis needs to know about the code around a function.
class CodeEnvironment {
public:
  virtual ~CodeEnvironment() = default;
  // The executable range [start, end) of the module holding address; false outside any
  // module.
  virtual bool ModuleCodeRange(uint64_t address, uint64_t& start, uint64_t& end) const = 0;
  // The address of the module's unwind table index (.eh_frame_hdr), or 0.
  virtual uint64_t UnwindIndex(uint64_t address) const { return 0; }
  // The name of the function starting exactly at address, or "".
  virtual std::string FunctionNameAt(uint64_t address) const { return {}; }
  // The symbol whose address the dynamic linker puts into the cell (an import slot), or "".
  virtual std::string ImportNameAt(uint64_t cell) const { return {}; }
};

TFunctionInfo AnalyzeFunction(uint64_t entry, const MemoryReader& reader, CodeMode mode,
                              const CodeEnvironment& environment);

// Our own code in 64-bit mode, read through GuardedRead (with the snapshot when given),
// modules and names from the dynamic linker and the symbol maps.
TFunctionInfo AnalyzeFunction(uintptr_t entry, const TReadableRanges* snapshot);

// A call ends a walk when its target never returns: a routine named below, or a routine of
// the same module whose own walk finds no path back to its caller.

// True for the routines that never return to their caller (abort, exit, the exception
// throwers of the C++ runtime, ...). Takes plain or mangled names, with or without
// "@plt" or a symbol version.
bool IsNonReturningRoutine(std::string name);
