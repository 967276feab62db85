#pragma once
// The Blowfish block cipher (64-bit blocks, keys of 1 to 56 bytes). Blocks are read and
// written big-endian, the byte order of the published test vectors.
#include <cstddef>
#include <cstdint>
#include <string_view>

class TBlowfish {
public:
  // A key longer than 56 bytes uses its first 56; an empty key is treated as one zero byte.
  explicit TBlowfish(std::string_view key);

  void EncipherBlock(uint32_t& left, uint32_t& right) const;
  void DecipherBlock(uint32_t& left, uint32_t& right) const;

  // ECB over the whole 8-byte blocks of data, in place; a trailing piece shorter than
  // 8 bytes is left unchanged.
  void EncipherEcb(uint8_t* data, size_t size) const;
  void DecipherEcb(uint8_t* data, size_t size) const;

private:
  uint32_t F(uint32_t x) const;

  uint32_t p_[18];
  uint32_t s_[4][256];
};
