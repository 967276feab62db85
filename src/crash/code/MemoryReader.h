#pragma once
// The one way the decoder and the function analyser look at memory: ask for so many
// bytes at an address. In the program the reader copies through the guarded read; tests
// and fuzzers hand in byte strings placed at chosen addresses.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

class MemoryReader {
public:
  virtual ~MemoryReader() = default;
  // Copies up to length bytes at address into buffer, stopping at the first byte that
  // cannot be read; returns how many were copied. Never faults.
  virtual size_t Read(uintptr_t address, void* buffer, size_t length) const = 0;

  bool ReadExactly(uintptr_t address, void* buffer, size_t length) const {
    return Read(address, buffer, length) == length;
  }
};

// Byte strings at chosen addresses; everything else reads as unreadable.
class BytesReader : public MemoryReader {
public:
  void Place(uintptr_t address, std::vector<uint8_t> bytes) { blocks_[address] = std::move(bytes); }
  size_t Read(uintptr_t address, void* buffer, size_t length) const override;

private:
  std::map<uintptr_t, std::vector<uint8_t>> blocks_;
};
