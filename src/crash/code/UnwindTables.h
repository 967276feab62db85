#pragma once
// The landing pads of a function, from the unwind tables the C++ compiler writes: the
// .eh_frame_hdr index, the function's FDE and its LSDA call-site table.

#include <cstdint>
#include <vector>

#include "crash/code/Instruction.h"
#include "crash/code/MemoryReader.h"

struct UnwindRegion {
  uint64_t begin = 0, end = 0;  // the code the FDE describes, [begin, end)
  std::vector<uint64_t> landingPads;
};

// The FDE region containing address with its landing pads; false when no FDE covers
// address or the tables cannot be read.
bool FindUnwindRegion(uint64_t address, uint64_t unwindIndex, const MemoryReader& reader,
                      CodeMode mode, UnwindRegion& region);
