#include "profile/Numbers.h"

#include "base/Exceptions.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the hexadecimal marker at pos, 0 when there is none.
size_t HexMarkerLength(const std::string& text, size_t pos) {
  if (pos >= text.size()) {
    return 0;
  }
  char c = text[pos];
  if (c == '$' || c == 'x' || c == 'X') {
    return 1;
  }
  if (c == '0' && pos + 1 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    return 2;
  }
  return 0;
}

bool ReadHex(const std::string& text, size_t pos, int32_t& value) {
  if (pos == text.size()) {
    return false;
  }
  uint64_t pattern = 0;
  for (; pos < text.size(); ++pos) {
    int digit = HexDigit(text[pos]);
    if (digit < 0) {
      return false;
    }
    pattern = pattern * 16 + static_cast<uint64_t>(digit);
    if (pattern > 0xFFFFFFFFu) {
      return false;  // more than eight significant digits
    }
  }
  value = static_cast<int32_t>(static_cast<uint32_t>(pattern));
  return true;
}

bool ReadDecimal(const std::string& text, size_t pos, int32_t& value) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  if (pos == text.size()) {
    return false;
  }
  int64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    if (text[pos] < '0' || text[pos] > '9') {
      return false;
    }
    magnitude = magnitude * 10 + (text[pos] - '0');
    if (magnitude > 2147483648LL) {
      return false;
    }
  }
  int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > INT32_MAX) {
    return false;
  }
  value = static_cast<int32_t>(signedValue);
  return true;
}

}  // namespace

bool TryTextToInt(const std::string& text, int32_t& value) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') {
    ++pos;
  }
  size_t marker = HexMarkerLength(text, pos);
  return marker > 0 ? ReadHex(text, pos + marker, value) : ReadDecimal(text, pos, value);
}

int32_t TextToInt(const std::string& text) {
  int32_t value = 0;
  if (!TryTextToInt(text, value)) {
    throw EConvertError(Format("'%s' is not a valid integer value", text));
  }
  return value;
}
