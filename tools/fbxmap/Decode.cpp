// fbxmap decode FILE ADDRESS LENGTH [--32]: decodes the bytes of FILE at ADDRESS (an
// address of an ELF file's own layout; for any other file, an offset into it) linearly,
// one line per instruction: address, length, call/jump/other/invalid, target or "-".
// An invalid byte is skipped one at a time. 64-bit mode unless --32 is given.
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "crash/code/ElfFileImage.h"
#include "crash/code/Instruction.h"

namespace {

bool ParseNumber(const char* text, uint64_t& value) {
  char* end;
  errno = 0;
  value = std::strtoull(text, &end, 0);
  return *text && !*end && errno == 0;
}

}  // namespace

int RunDecodeCommand(int argc, char** argv) {
  const bool bits32 = argc == 5 && std::strcmp(argv[4], "--32") == 0;
  uint64_t address, length;
  if ((argc != 4 && !bits32) || !ParseNumber(argv[2], address) || !ParseNumber(argv[3], length)) {
    std::fprintf(stderr, "usage: fbxmap decode FILE ADDRESS LENGTH [--32]\n");
    return 2;
  }
  ElfFileImage image;
  BytesReader raw;
  const MemoryReader* reader = &image;
  std::string error;
  if (!image.Load(argv[1], error)) {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "fbxmap: cannot open %s\n", argv[1]);
      return 1;
    }
    raw.Place(0, std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    reader = &raw;
  }
  const CodeMode mode = bits32 ? CodeMode::Bits32 : CodeMode::Bits64;
  for (uint64_t at = address; at - address < length;) {
    const InstructionFacts f = DecodeInstruction(at, *reader, mode);
    if (!f.valid) {
      std::printf("%" PRIx64 " 1 invalid -\n", at);
      ++at;
      continue;
    }
    const char* kind = f.call ? "call" : f.jump ? "jump" : "other";
    if (f.hasTarget) std::printf("%" PRIx64 " %d %s %" PRIx64 "\n", at, int(f.next - f.start), kind, f.target);
    else std::printf("%" PRIx64 " %d %s -\n", at, int(f.next - f.start), kind);
    at = f.next;
  }
  return 0;
}
