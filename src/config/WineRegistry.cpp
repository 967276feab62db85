#include "config/WineRegistry.h"

#include <cstdint>

namespace {

// The file's lines one after another, without their CR LF or LF.
class LineReader {
public:
  explicit LineReader(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    size_t end = text_.find('\n', pos_);
    if (end == std::string_view::npos) end = text_.size();
    line = text_.substr(pos_, end - pos_);
    pos_ = end < text_.size() ? end + 1 : end;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
  }

private:
  std::string_view text_;
  size_t pos_ = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

// Registry texts are UTF-16; ours are 8-bit. A character beyond 8 bits becomes "?", a
// surrogate pair one "?".
void AppendCharacter(std::string& out, uint32_t code) {
  if (code >= 0xDC00 && code <= 0xDFFF) return;
  out += code <= 0xFF ? static_cast<char>(code) : '?';
}

// An escaped name or text from pos up to the unescaped character close, with pos left
// after it. Nothing when the line ends first. Escapes as Wine writes them: \\, \", \],
// \n and the other C letters, \x with up to four hex digits, up to three octal digits.
std::optional<std::string> TakeEscaped(std::string_view line, size_t& pos, char close) {
  std::string out;
  while (pos < line.size()) {
    const char c = line[pos++];
    if (c == close) return out;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos >= line.size()) return std::nullopt;
    const char e = line[pos++];
    switch (e) {
      case 'a': out += '\a'; break;
      case 'b': out += '\b'; break;
      case 'e': out += '\x1b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'v': out += '\v'; break;
      case 'x': {
        uint32_t code = 0;
        int digits = 0;
        while (digits < 4 && pos < line.size() && HexDigitValue(line[pos]) >= 0) {
          code = code * 16 + static_cast<uint32_t>(HexDigitValue(line[pos++]));
          ++digits;
        }
        if (digits == 0) {
          out += 'x';
        } else {
          AppendCharacter(out, code);
        }
        break;
      }
      default:
        if (IsOctalDigit(e)) {
          uint32_t code = static_cast<uint32_t>(e - '0');
          for (int digits = 1; digits < 3 && pos < line.size() && IsOctalDigit(line[pos]);
               ++digits) {
            code = code * 8 + static_cast<uint32_t>(line[pos++] - '0');
          }
          AppendCharacter(out, code);
        } else {
          out += e;
        }
    }
  }
  return std::nullopt;
}

// The bytes of "01,02,\" and its continuation lines. Nothing when they are malformed.
std::optional<std::string> TakeHexBytes(std::string_view data, LineReader& lines) {
  std::string bytes;
  size_t i = 0;
  while (true) {
    if (i >= data.size()) return bytes;
    const char c = data[i];
    if (c == ',' || IsBlank(c)) {
      ++i;
    } else if (c == '\\' && SkipBlanks(data.substr(i + 1)).empty()) {
      if (!lines.Next(data)) return bytes;
      i = 0;
    } else if (i + 1 < data.size() && HexDigitValue(c) >= 0 && HexDigitValue(data[i + 1]) >= 0) {
      bytes += static_cast<char>(HexDigitValue(c) * 16 + HexDigitValue(data[i + 1]));
      i += 2;
    } else {
      return std::nullopt;
    }
  }
}

// A string stored as bytes: UTF-16 little-endian, up to its terminating zero.
std::string TextOfUtf16Bytes(const std::string& bytes) {
  std::string text;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint32_t unit = static_cast<unsigned char>(bytes[i]) |
                          static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    if (unit == 0) break;
    AppendCharacter(text, unit);
  }
  return text;
}

// Registry type numbers of the two text types.
constexpr unsigned RegSz = 1;
constexpr unsigned RegExpandSz = 2;

bool IsTextType(unsigned type) { return type == RegSz || type == RegExpandSz; }

// The type number in "(2):" at the start of text, with text moved past it.
std::optional<unsigned> TakeTypeNumber(std::string_view& text) {
  if (text.empty() || text.front() != '(') return std::nullopt;
  unsigned type = 0;
  size_t i = 1;
  for (; i < text.size() && i <= 9 && HexDigitValue(text[i]) >= 0; ++i) {
    type = type * 16 + static_cast<unsigned>(HexDigitValue(text[i]));
  }
  if (i == 1 || i + 1 >= text.size() || text[i] != ')' || text[i + 1] != ':') return std::nullopt;
  text.remove_prefix(i + 2);
  return type;
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// The value after "=": "text", str(n):"text", hex:..., hex(n):..., dword:... Nothing when
// it is malformed, which Wine would not load either.
std::optional<WineRegistryValue> TakeData(std::string_view data, LineReader& lines) {
  unsigned type = RegSz;
  if (TakePrefix(data, "str")) {
    if (!TakePrefix(data, ":")) {
      std::optional<unsigned> number = TakeTypeNumber(data);
      if (!number) return std::nullopt;
      type = *number;
    }
  }
  if (!data.empty() && data.front() == '"') {
    size_t pos = 1;
    std::optional<std::string> text = TakeEscaped(data, pos, '"');
    if (!text) return std::nullopt;
    if (!IsTextType(type)) return WineRegistryValue{};
    // The text ends at its first zero character, as a reader of the string sees it.
    return WineRegistryValue{true, text->substr(0, text->find('\0'))};
  }
  if (type != RegSz) return std::nullopt;  // str(n): without its quoted text
  if (TakePrefix(data, "dword:")) return WineRegistryValue{};
  if (TakePrefix(data, "hex")) {
    std::optional<unsigned> number = TakeTypeNumber(data);
    if (!number) {
      if (!TakePrefix(data, ":")) return std::nullopt;
      return WineRegistryValue{};  // binary
    }
    if (!IsTextType(*number)) return WineRegistryValue{};
    std::optional<std::string> bytes = TakeHexBytes(data, lines);
    if (!bytes) return std::nullopt;
    return WineRegistryValue{true, TextOfUtf16Bytes(*bytes)};
  }
  return std::nullopt;
}

// The name of a value line ("name"= or @=) with line moved to its data.
std::optional<std::string> TakeValueName(std::string_view& line) {
  std::string name;
  size_t pos = 1;
  if (line.front() == '"') {
    std::optional<std::string> quoted = TakeEscaped(line, pos, '"');
    if (!quoted) return std::nullopt;
    name = std::move(*quoted);
  }
  std::string_view rest = SkipBlanks(line.substr(pos));
  if (rest.empty() || rest.front() != '=') return std::nullopt;
  line = SkipBlanks(rest.substr(1));
  return name;
}

}  // namespace

std::optional<WineRegistryValue> FindWineRegistryValue(std::string_view registryText,
                                                       std::string_view keyPath,
                                                       std::string_view valueName) {
  LineReader lines(registryText);
  bool inKey = false;
  bool keySeen = false;
  std::string_view line;
  while (lines.Next(line)) {
    line = SkipBlanks(line);
    if (line.empty()) continue;
    if (line.front() == '[') {
      if (keySeen) return std::nullopt;  // only the first key of that name counts
      size_t pos = 1;
      std::optional<std::string> name = TakeEscaped(line, pos, ']');
      inKey = name && EqualsIgnoringCase(*name, keyPath);
      keySeen = inKey;
      continue;
    }
    if (!inKey || (line.front() != '"' && line.front() != '@')) continue;
    std::optional<std::string> name = TakeValueName(line);
    if (!name || !EqualsIgnoringCase(*name, valueName)) continue;
    if (std::optional<WineRegistryValue> value = TakeData(line, lines)) return value;
  }
  return std::nullopt;
}
