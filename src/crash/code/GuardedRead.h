#pragma once
// Reading memory of our own process that may not be readable, without faulting, and a
// snapshot of which address ranges are readable.
//
// Nothing here faults or throws on bad memory. ReadableRangesSnapshot allocates and
// reads a file, so it must not run in a signal handler; GuardedRead itself only makes
// one system call and may.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "crash/code/MemoryReader.h"

struct TReadableRange {
  uintptr_t start = 0;
  uintptr_t end = 0;  // exclusive
  bool readable = false;
};

// The address space as consecutive ranges from 0 to the top, each marked readable or not.
// Empty when the map of the process could not be read.
struct TReadableRanges {
  std::vector<TReadableRange> ranges;
  // True when address lies in a readable range; a snapshot that could not be taken
  // answers false.
  bool IsReadable(uintptr_t address) const;
};

// Readable: mapped with read permission. Guard and no-access mappings are not, and
// neighbours with the same mark are joined.
TReadableRanges ReadableRangesSnapshot();

// The ranges from the text of a map listing in the form of /proc/<pid>/maps.
TReadableRanges ParseReadableRanges(const char* text, size_t length);

// True when exactly length bytes at address were copied into buffer. With a snapshot,
// the start address must lie in a readable range. A null address fails.
bool GuardedRead(uintptr_t address, void* buffer, size_t length,
                 const TReadableRanges* snapshot = nullptr);

// Copies as many of the bytes as can be read, up to the first unreadable one.
size_t GuardedReadSome(uintptr_t address, void* buffer, size_t length);

// Our own memory, read through GuardedRead with an optional snapshot.
class LiveMemoryReader : public MemoryReader {
public:
  explicit LiveMemoryReader(const TReadableRanges* snapshot = nullptr) : snapshot_(snapshot) {}
  size_t Read(uintptr_t address, void* buffer, size_t length) const override;

private:
  const TReadableRanges* snapshot_;
};
