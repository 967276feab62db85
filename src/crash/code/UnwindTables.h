#pragma once
// The landing pads of a function, from the unwind tables the C++ compiler writes: the
// .eh_frame_hdr index, the function's FDE and its LSDA call-site table.

#include <cstdint>
#include <vector>

#include "crash/code/Instruction.h"
#include "crash/code/MemoryReader.h"

// The landing pads of the function containing address; empty when it has none or the
// tables cannot be read.
std::vector<uint64_t> LandingPads(uint64_t address, uint64_t unwindIndex, const MemoryReader& reader,
                                  CodeMode mode);
