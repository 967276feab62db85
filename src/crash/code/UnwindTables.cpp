#include "crash/code/UnwindTables.h"

#include <string>

namespace {

constexpr uint8_t kOmit = 0xFF;

// Reads the DWARF-encoded values of unwind tables through the reader; any failed read
// marks the cursor bad, and a bad cursor yields zeros.
class Cursor {
public:
  Cursor(const MemoryReader& reader, uint64_t at, CodeMode mode)
      : reader_(reader), at_(at), pointer_(mode == CodeMode::Bits64 ? 8 : 4) {}

  bool Good() const { return good_; }
  uint64_t At() const { return at_; }
  void Seek(uint64_t at) { at_ = at; }

  uint64_t Fixed(int bytes) {
    uint64_t v = 0;
    if (good_ && !reader_.ReadExactly(uintptr_t(at_), &v, size_t(bytes))) good_ = false;
    at_ += uint64_t(bytes);
    return good_ ? v : 0;
  }
  uint64_t Uleb() {
    uint64_t v = 0;
    for (int shift = 0; good_ && shift < 64; shift += 7) {
      uint64_t b = Fixed(1);
      v |= (b & 0x7F) << shift;
      if (!(b & 0x80)) return v;
    }
    good_ = false;
    return 0;
  }
  int64_t Sleb() {
    int64_t v = 0;
    int shift = 0;
    uint64_t b;
    do {
      b = Fixed(1);
      v |= int64_t(b & 0x7F) << shift;
      shift += 7;
    } while (good_ && (b & 0x80) && shift < 64);
    if (shift < 64 && (b & 0x40)) v = int64_t(uint64_t(v) | (~uint64_t(0) << shift));
    return v;
  }
  // A pointer in the given encoding; base is the data-relative base.
  uint64_t Encoded(uint8_t encoding, uint64_t dataBase = 0) {
    if (encoding == kOmit) return 0;
    const uint64_t fieldAt = at_;
    uint64_t v;
    switch (encoding & 0x0F) {
      case 0x00: v = Fixed(pointer_); break;
      case 0x01: v = Uleb(); break;
      case 0x02: v = Fixed(2); break;
      case 0x03: v = Fixed(4); break;
      case 0x04: v = Fixed(8); break;
      case 0x09: v = uint64_t(Sleb()); break;
      case 0x0A: v = uint64_t(int64_t(int16_t(Fixed(2)))); break;
      case 0x0B: v = uint64_t(int64_t(int32_t(Fixed(4)))); break;
      case 0x0C: v = Fixed(8); break;
      default: good_ = false; return 0;
    }
    switch (encoding & 0x70) {
      case 0x00: break;
      case 0x10: v += fieldAt; break;
      case 0x30: v += dataBase; break;
      default: good_ = false; return 0;  // text- and function-relative bases are not used here
    }
    if (encoding & 0x80) {  // the value is the address of the pointer
      uint64_t at = at_;
      at_ = v;
      v = Fixed(pointer_);
      at_ = at;
    }
    if (pointer_ == 4) v &= 0xFFFFFFFFu;
    return v;
  }

private:
  const MemoryReader& reader_;
  uint64_t at_;
  int pointer_;
  bool good_ = true;
};

struct Fde {
  uint64_t begin = 0, range = 0, lsda = 0;
};

bool ReadFde(Cursor& c, uint64_t fdeAt, Fde& fde) {
  c.Seek(fdeAt);
  uint64_t length = c.Fixed(4);
  if (length == 0xFFFFFFFF) length = c.Fixed(8);
  const uint64_t idAt = c.At();
  const uint64_t cieOffset = c.Fixed(4);
  if (!c.Good() || length == 0 || cieOffset == 0) return false;
  const uint64_t afterId = c.At();

  c.Seek(idAt - cieOffset);  // the CIE
  uint64_t cieLength = c.Fixed(4);
  if (cieLength == 0xFFFFFFFF) cieLength = c.Fixed(8);
  if (c.Fixed(4) != 0) return false;
  const uint64_t version = c.Fixed(1);
  std::string augmentation;
  for (uint64_t ch; (ch = c.Fixed(1)) != 0 && c.Good() && augmentation.size() < 16;)
    augmentation += char(ch);
  if (augmentation.empty() || augmentation[0] != 'z') return false;  // no pointer encodings
  c.Uleb();
  c.Sleb();
  if (version == 1) c.Fixed(1); else c.Uleb();
  c.Uleb();  // augmentation data length
  uint8_t fdeEncoding = 0, lsdaEncoding = kOmit;
  for (char a : augmentation.substr(1)) {
    if (a == 'R') fdeEncoding = uint8_t(c.Fixed(1));
    else if (a == 'L') lsdaEncoding = uint8_t(c.Fixed(1));
    else if (a == 'P') c.Encoded(uint8_t(c.Fixed(1)) & 0x7F);
    else if (a != 'S' && a != 'B' && a != 'G') return false;
  }
  if (!c.Good()) return false;

  c.Seek(afterId);
  fde.begin = c.Encoded(fdeEncoding);
  fde.range = c.Encoded(fdeEncoding & 0x0F);
  c.Uleb();
  fde.lsda = lsdaEncoding == kOmit ? 0 : c.Encoded(lsdaEncoding);
  return c.Good();
}

// The FDE address for address from the sorted search table of .eh_frame_hdr.
uint64_t FindFde(Cursor& c, uint64_t index, uint64_t address) {
  c.Seek(index);
  if (c.Fixed(1) != 1) return 0;
  const uint8_t framePtrEncoding = uint8_t(c.Fixed(1)), countEncoding = uint8_t(c.Fixed(1));
  const uint8_t tableEncoding = uint8_t(c.Fixed(1));
  c.Encoded(framePtrEncoding, index);
  const uint64_t count = c.Encoded(countEncoding, index);
  if (!c.Good() || tableEncoding != 0x3B || count == 0) return 0;  // datarel sdata4 pairs
  const uint64_t table = c.At();
  uint64_t low = 0, high = count;  // find the last entry starting at or below address
  while (high - low > 1) {
    uint64_t mid = low + (high - low) / 2;
    c.Seek(table + mid * 8);
    if (c.Encoded(tableEncoding, index) <= address) low = mid; else high = mid;
  }
  c.Seek(table + low * 8);
  if (c.Encoded(tableEncoding, index) > address) return 0;
  uint64_t fde = c.Encoded(tableEncoding, index);
  return c.Good() ? fde : 0;
}

}  // namespace

bool FindUnwindRegion(uint64_t address, uint64_t unwindIndex, const MemoryReader& reader,
                      CodeMode mode, UnwindRegion& region) {
  region = {};
  if (!unwindIndex) return false;
  Cursor c(reader, 0, mode);
  const uint64_t fdeAt = FindFde(c, unwindIndex, address);
  Fde fde;
  if (!fdeAt || !ReadFde(c, fdeAt, fde) || address < fde.begin || address - fde.begin >= fde.range)
    return false;
  region.begin = fde.begin, region.end = fde.begin + fde.range;
  if (!fde.lsda) return true;
  std::vector<uint64_t>& pads = region.landingPads;

  c.Seek(fde.lsda);
  const uint8_t lpStartEncoding = uint8_t(c.Fixed(1));
  const uint64_t lpStart = lpStartEncoding == kOmit ? fde.begin : c.Encoded(lpStartEncoding);
  if (uint8_t(c.Fixed(1)) != kOmit) c.Uleb();  // type table offset
  const uint8_t siteEncoding = uint8_t(c.Fixed(1)) & 0x0F;
  const uint64_t tableLength = c.Uleb();
  const uint64_t end = c.At() + tableLength;
  while (c.Good() && c.At() < end && pads.size() < 4096) {
    c.Encoded(siteEncoding);
    c.Encoded(siteEncoding);
    const uint64_t pad = c.Encoded(siteEncoding);
    c.Uleb();
    if (c.Good() && pad) pads.push_back(lpStart + pad);
  }
  return true;
}
