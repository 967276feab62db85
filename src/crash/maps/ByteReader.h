#pragma once
// Bounds-checked little-endian reads from a byte buffer: every read either succeeds
// inside the buffer or fails and leaves the reader failed, so a parser can read a whole
// record and check once.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class ByteReader {
public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  bool Ok() const { return ok_; }
  size_t Remaining() const { return ok_ ? data_.size() - at_ : 0; }

  bool U8(uint8_t& value) { return Fixed(&value, 1); }
  bool U16(uint16_t& value) {
    uint8_t b[2];
    if (!Fixed(b, 2)) return false;
    value = uint16_t(b[0] | b[1] << 8);
    return true;
  }
  bool U32(uint32_t& value) {
    uint8_t b[4];
    if (!Fixed(b, 4)) return false;
    value = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    return true;
  }
  // A length byte and that many characters.
  bool ShortString(std::string& value) {
    uint8_t length = 0;
    if (!U8(length) || !Need(length)) return false;
    value.assign(data_.data() + at_, length);
    at_ += length;
    return true;
  }
  // One signed byte, except that -128 announces a 32-bit value in the next four bytes.
  bool Packed(int32_t& value) {
    uint8_t b = 0;
    if (!U8(b)) return false;
    if (b != 0x80) {
      value = int8_t(b);
      return true;
    }
    uint32_t wide = 0;
    if (!U32(wide)) return false;
    value = int32_t(wide);
    return true;
  }

private:
  bool Need(size_t count) {
    if (ok_ && data_.size() - at_ >= count) return true;
    ok_ = false;
    return false;
  }
  bool Fixed(uint8_t* out, size_t count) {
    if (!Need(count)) return false;
    std::memcpy(out, data_.data() + at_, count);
    at_ += count;
    return true;
  }

  std::string_view data_;
  size_t at_ = 0;
  bool ok_ = true;
};
