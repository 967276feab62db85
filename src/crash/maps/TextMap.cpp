#include "crash/maps/TextMap.h"

#include "crash/maps/MapOrder.h"
#include "crash/maps/PublicNaming.h"

namespace {

enum class Section { None, Segments, Publics, Lines };

bool ParseHex(std::string_view text, uint32_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return false;
    value = value << 4 | uint32_t(digit);
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

class TextMapReader {
public:
  explicit TextMapReader(TMapFile& map) : map_(map) {}

  void Line(std::string_view line) {
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty()) {
      // Empty lines after a heading lead into its section; the next one ends it.
      if (inside_) section_ = Section::None, inside_ = false;
      return;
    }
    if (StartsSection(line)) return;
    if (section_ != Section::None) inside_ = true;
    switch (section_) {
      case Section::Segments: SegmentLine(line); break;
      case Section::Publics: PublicLine(line); break;
      case Section::Lines: LineNumbersLine(line); break;
      case Section::None: EntryPointLine(line); break;
    }
  }

  bool Found() const { return found_; }

private:
  bool StartsSection(std::string_view line) {
    Section next = Section::None;
    if (line.find("Detailed map of segments") != std::string_view::npos) {
      next = Section::Segments;
    } else if (line.find("Publics by Value") != std::string_view::npos) {
      next = Section::Publics;
    } else if (const size_t at = line.find("Line numbers for "); at != std::string_view::npos) {
      const size_t open = line.find('(', at);
      if (open != std::string_view::npos && line.find(')', open) != std::string_view::npos)
        next = Section::Lines;
    }
    if (next == Section::None) return false;
    section_ = next;
    inside_ = false;
    // Publics are named after the segment that holds them, found by halving.
    if (next == Section::Publics) SortMapForSearch(map_);
    return true;
  }

  // 0001:00000000 0000B7A8 C=CODE     S=.text    G=(none)   M=System   ACBP=A9
  void SegmentLine(std::string_view line) {
    if (line.size() <= 72 || line[4] != ':' || line[13] != ' ' || line[22] != ' ' ||
        line.substr(23, 2) != "C=")
      return;
    uint32_t number = 0, start = 0, length = 0;
    if (!ParseHex(line.substr(0, 4), number) || !ParseHex(line.substr(5, 8), start) ||
        !ParseHex(line.substr(14, 8), length) || (number != 1 && number != 2))
      return;
    std::string_view rest = TrimRight(line);
    const size_t lastField = rest.find_last_of(" \t");
    rest = TrimRight(rest.substr(0, lastField));
    const size_t cut = rest.find_last_of("=\\|");
    const std::string_view unit = cut == std::string_view::npos ? rest : rest.substr(cut + 1);

    const bool code = number == 1;
    const uintptr_t base = code ? map_.codeRange.start : map_.dataRange.start;
    map_.segments.push_back({true, code, base + start, length, TrimUnitExtension(std::string(unit))});
    found_ = true;
  }

  // 0001:00001234       Unit1.TForm1.Button1Click
  void PublicLine(std::string_view line) {
    if (line.size() <= 13 || line[4] != ':') return;
    line = TrimRight(line);
    if (!line.empty() && line.back() == ')') {
      const size_t open = line.rfind('(');
      if (open != std::string_view::npos) line = TrimRight(line.substr(0, open));
    }
    const size_t blank = line.find_last_of(' ');
    if (blank == std::string_view::npos || blank < 13) return;
    const std::string name(line.substr(blank + 1));
    uint32_t number = 0, offset = 0;
    if (name.empty() || !ParseHex(line.substr(0, 4), number) || !ParseHex(line.substr(5, 8), offset) ||
        (number != 1 && number != 2) || IsSkippedPublicName(name))
      return;
    const bool code = number == 1;
    const uintptr_t address = (code ? map_.codeRange.start : map_.dataRange.start) + offset;
    map_.publics.push_back({true, code, NamePublic(map_, code, address, name), address});
    found_ = true;
  }

  //     12 0001:00001234    13 0001:00001240
  void LineNumbersLine(std::string_view line) {
    size_t at = 0;
    while (at < line.size()) {
      while (at < line.size() && IsBlank(line[at])) ++at;
      const size_t digits = at;
      int number = 0;
      while (at < line.size() && line[at] >= '0' && line[at] <= '9' && number < 100000000)
        number = number * 10 + (line[at++] - '0');
      if (at == digits || at >= line.size() || !IsBlank(line[at])) return;
      while (at < line.size() && IsBlank(line[at])) ++at;
      uint32_t segment = 0, offset = 0;
      if (line.size() - at < 13 || line[at + 4] != ':' || !ParseHex(line.substr(at, 4), segment) ||
          !ParseHex(line.substr(at + 5, 8), offset))
        return;
      at += 13;
      if (segment != 1) continue;
      const uintptr_t address = map_.codeRange.start + offset;
      if (!map_.lines.empty() && address <= map_.lines.back().address) continue;
      map_.lines.push_back({number, address});
      found_ = true;
    }
  }

  // Program entry point at 0001:00001234
  void EntryPointLine(std::string_view line) {
    constexpr std::string_view heading = "Program entry point at ";
    if (line.substr(0, heading.size()) != heading || line.size() <= 34 || line[27] != ':') return;
    uint32_t offset = 0;
    if (line.size() >= 36 && ParseHex(line.substr(28, 8), offset))
      map_.entryPoint = map_.codeRange.start + offset;
  }

  TMapFile& map_;
  Section section_ = Section::None;
  bool inside_ = false;
  bool found_ = false;
};

}  // namespace

bool ReadTextMap(std::string_view text, TMapFile& map) {
  TMapFile read = map;
  TextMapReader reader(read);
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    reader.Line(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  if (!reader.Found()) return false;
  SortMapForSearch(read);
  map = std::move(read);
  return true;
}
