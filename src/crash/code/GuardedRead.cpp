#include "crash/code/GuardedRead.h"

#include "crash/code/Instruction.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

bool TReadableRanges::IsReadable(uintptr_t address) const {
  auto after = std::upper_bound(ranges.begin(), ranges.end(), address,
                                [](uintptr_t a, const TReadableRange& r) { return a < r.start; });
  if (after == ranges.begin()) return false;
  --after;
  return address < after->end && after->readable;
}

namespace {

void Append(std::vector<TReadableRange>& out, uintptr_t start, uintptr_t end, bool readable) {
  if (start >= end) return;
  if (!out.empty() && out.back().readable == readable && out.back().end == start) {
    out.back().end = end;
  } else {
    out.push_back({start, end, readable});
  }
}

bool ParseHex(std::string_view text, uintptr_t& value) {
  if (text.empty() || text.size() > 16) return false;
  value = 0;
  for (char c : text) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return false;
    value = value << 4 | uintptr_t(digit);
  }
  return true;
}

}  // namespace

TReadableRanges ParseReadableRanges(const char* text, size_t length) {
  TReadableRanges result;
  std::vector<TReadableRange>& out = result.ranges;
  out.reserve(64);
  std::string_view rest(text, length);
  uintptr_t covered = 0;
  while (!rest.empty()) {
    size_t eol = rest.find('\n');
    std::string_view line = rest.substr(0, eol);
    rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 1);
    size_t dash = line.find('-'), blank = line.find(' ');
    uintptr_t start, end;
    if (dash == std::string_view::npos || blank == std::string_view::npos || blank < dash ||
        blank + 1 >= line.size() || !ParseHex(line.substr(0, dash), start) ||
        !ParseHex(line.substr(dash + 1, blank - dash - 1), end) || end <= start ||
        start < covered) {
      continue;  // a line we do not understand says nothing about readability
    }
    Append(out, covered, start, false);
    Append(out, start, end, line[blank + 1] == 'r');
    covered = end;
  }
  Append(out, covered, UINTPTR_MAX, false);
  return result;
}

size_t LiveMemoryReader::Read(uintptr_t address, void* buffer, size_t length) const {
  if (snapshot_ && !snapshot_->IsReadable(address)) return 0;
  return GuardedReadSome(address, buffer, length);
}

bool GuardedRead(uintptr_t address, void* buffer, size_t length, const TReadableRanges* snapshot) {
  if (address == 0) return false;
  if (snapshot && !snapshot->IsReadable(address)) return false;
  return GuardedReadSome(address, buffer, length) == length;
}

InstructionFacts DecodeInstruction(uintptr_t address, const TReadableRanges* snapshot,
                                   const RegisterState* registers) {
  const LiveMemoryReader reader(snapshot);
  return DecodeInstruction(uint64_t(address), reader, CodeMode::Bits64, registers);
}
