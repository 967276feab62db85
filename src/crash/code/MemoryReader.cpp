#include "crash/code/MemoryReader.h"

#include <cstring>

size_t BytesReader::Read(uintptr_t address, void* buffer, size_t length) const {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t copied = 0;
  while (copied < length) {
    uintptr_t at = address + copied;
    auto block = blocks_.upper_bound(at);
    if (block == blocks_.begin()) break;
    --block;
    uintptr_t offset = at - block->first;
    if (offset >= block->second.size()) break;
    size_t piece = std::min(length - copied, block->second.size() - offset);
    std::memcpy(out + copied, block->second.data() + offset, piece);
    copied += piece;
  }
  return copied;
}
