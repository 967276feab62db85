// Decodes every instruction of the executable sections of ELF files with our decoder and
// with capstone, in 64-bit and in 32-bit mode, and reports where they disagree on length,
// on call/jump class or on the target (relative target, or the RIP-relative cell).
// Usage: CapstoneCrossCheck [--quiet] FILE...; exit status 1 when any instruction disagrees.
// Where capstone cannot decode (it predates some AVX-512 and protection-key instructions),
// objdump's listing is the peer.
#include <capstone/capstone.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "crash/code/ElfFileImage.h"
#include "crash/code/Instruction.h"
#include "ObjdumpListing.h"

namespace {

struct Tally {
  uint64_t compared = 0, agreed = 0, branches = 0;
  uint64_t peerCompared = 0, peerAgreed = 0, peerMissing = 0;  // capstone undecoded, objdump asked
  uint64_t lockedVex = 0;  // objdump accepts lock on a VEX instruction; the manuals make it #UD
};

const char* ClassOf(bool call, bool jump) { return call ? "call" : jump ? "jump" : "other"; }

void CheckSection(const std::string& file, const ElfFileImage& image, const ElfFileSection& section,
                  CodeMode mode, csh handle, const std::map<uint64_t, ObjdumpInstruction>& objdump,
                  Tally& tally, int& shown, bool quiet) {
  std::vector<uint8_t> bytes(size_t(section.size));
  if (image.Read(uintptr_t(section.address), bytes.data(), bytes.size()) != bytes.size()) return;
  cs_insn* insn = cs_malloc(handle);
  const char* modeName = mode == CodeMode::Bits64 ? "64" : "32";
  size_t offset = 0;
  while (offset < bytes.size()) {
    const uint64_t address = section.address + offset;
    InstructionFacts ours = DecodeInstruction(address, image, mode);
    const uint8_t* code = bytes.data() + offset;
    size_t left = bytes.size() - offset;
    uint64_t csAddress = address;
    if (!cs_disasm_iter(handle, &code, &left, &csAddress, insn)) {
      auto peer = objdump.find(address);
      if (peer == objdump.end()) {
        ++tally.peerMissing;  // objdump's own sweep is not aligned here
      } else {
        ++tally.peerCompared;
        const ObjdumpInstruction& p = peer->second;
        // Where objdump gave up on an operand, an invalid result of ours agrees too.
        const bool agree = (p.invalid || p.partly) && !ours.valid
                               ? true
                               : !p.invalid && ours.valid && ours.next - ours.start == uint64_t(p.length) &&
                                     ours.call == p.call && ours.jump == p.jump;
        if (agree) ++tally.peerAgreed;
        else if (!ours.valid && p.text.compare(0, 6, "lock v") == 0) ++tally.lockedVex;
        else if (shown < 40 && !quiet) {
          ++shown;
          std::fprintf(stderr, "%s-bit %s %llx: objdump %s (%d bytes), ours %s %d bytes\n", modeName,
                       file.c_str(), (unsigned long long)address, p.text.c_str(), p.length,
                       ours.valid ? ClassOf(ours.call, ours.jump) : "invalid",
                       ours.valid ? int(ours.next - ours.start) : 0);
        }
      }
      offset += ours.valid ? size_t(ours.next - ours.start) : 1;
      continue;
    }
    ++tally.compared;
    bool call = cs_insn_group(handle, insn, CS_GRP_CALL);
    // capstone 4 puts loop/loope/loopne in no group in 32-bit mode; the manuals make them
    // conditional jumps.
    bool jump = cs_insn_group(handle, insn, CS_GRP_JUMP) || std::strncmp(insn->mnemonic, "loop", 4) == 0;
    const cs_x86& x86 = insn->detail->x86;
    bool hasImm = x86.op_count == 1 && x86.operands[0].type == X86_OP_IMM;
    uint64_t next = address + insn->size;
    uint64_t expectTarget = hasImm ? uint64_t(x86.operands[0].imm) : 0;
    if (mode == CodeMode::Bits32) next &= 0xFFFFFFFFu;
    if ((call || jump) && hasImm && expectTarget == next) call = jump = false;  // fetches its address
    bool ripCell = (call || jump) && x86.op_count == 1 && x86.operands[0].type == X86_OP_MEM &&
                   x86.operands[0].mem.base == X86_REG_RIP && x86.operands[0].mem.index == X86_REG_INVALID;
    std::string problem;
    if (!ours.valid) problem = "ours invalid";
    else if (ours.next - ours.start != insn->size) problem = "length " + std::to_string(ours.next - ours.start);
    else if (ours.call != call || ours.jump != jump) problem = std::string("class ") + ClassOf(ours.call, ours.jump);
    else if ((call || jump) && hasImm && (!ours.hasTarget || ours.target != expectTarget)) problem = "target";
    else if (ripCell && ours.targetCell != next + uint64_t(x86.operands[0].mem.disp)) problem = "cell";
    if (call || jump) ++tally.branches;
    if (problem.empty()) {
      ++tally.agreed;
    } else if (shown < 40 && !quiet) {
      ++shown;
      std::fprintf(stderr, "%s-bit %s %llx: %s %s (%s, %d bytes): %s\n", modeName, file.c_str(),
                   (unsigned long long)address, insn->mnemonic, insn->op_str, ClassOf(call, jump),
                   insn->size, problem.c_str());
    }
    offset += insn->size;
  }
  cs_free(insn, 1);
}

}  // namespace

int main(int argc, char** argv) {
  bool quiet = false, failed = false;
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--quiet") == 0) {
      quiet = true;
      continue;
    }
    ElfFileImage image;
    std::string error;
    if (!image.Load(argv[a], error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 2;
    }
    for (CodeMode mode : {CodeMode::Bits64, CodeMode::Bits32}) {
      csh handle;
      if (cs_open(CS_ARCH_X86, mode == CodeMode::Bits64 ? CS_MODE_64 : CS_MODE_32, &handle) != CS_ERR_OK)
        return 2;
      cs_option(handle, CS_OPT_DETAIL, CS_OPT_ON);
      Tally tally;
      int shown = 0;
      const auto objdump = ObjdumpListing(argv[a], mode == CodeMode::Bits32);
      for (const ElfFileSection& section : image.Sections())
        if (section.code && section.size)
          CheckSection(argv[a], image, section, mode, handle, objdump, tally, shown, quiet);
      cs_close(&handle);
      std::printf("%s %s-bit: capstone: %llu instructions compared, %llu agree (%llu calls/jumps); "
                  "objdump where capstone cannot decode: %llu compared, %llu agree, %llu lock+VEX "
                  "that only objdump accepts, %llu not aligned\n",
                  argv[a], mode == CodeMode::Bits64 ? "64" : "32", (unsigned long long)tally.compared,
                  (unsigned long long)tally.agreed, (unsigned long long)tally.branches,
                  (unsigned long long)tally.peerCompared, (unsigned long long)tally.peerAgreed,
                  (unsigned long long)tally.lockedVex, (unsigned long long)tally.peerMissing);
      if (tally.agreed != tally.compared || tally.peerAgreed + tally.lockedVex != tally.peerCompared)
        failed = true;
    }
  }
  return failed ? 1 : 0;
}
