// The decoder on hand-assembled instructions of every opcode group, in both modes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crash/code/Instruction.h"

namespace {

constexpr uint64_t kAt = 0x1000;

struct Row {
  const char* label;
  CodeMode mode;
  std::vector<uint8_t> bytes;
  int length;  // 0: invalid
  enum Class { Other, Call, Jump } kind = Other;
  int64_t target = -1;  // -1: none determined
  int fieldOffset = -1;  // offset of the relative target field, -1: none
  uint64_t cell = 0;
  int targetSize = 0;
  bool enlargeable = false;
  bool conditional = false;
  FlowEnd flowEnd = FlowEnd::None;
};

constexpr CodeMode k64 = CodeMode::Bits64;
constexpr CodeMode k32 = CodeMode::Bits32;

const Row kRows[] = {
    // One-byte map, ModRM, SIB, displacements, immediates.
    {"nop", k64, {0x90}, 1},
    {"push rbp", k64, {0x55}, 1},
    {"mov rbp, rsp", k64, {0x48, 0x89, 0xE5}, 3},
    {"mov eax, imm32", k64, {0xB8, 0x78, 0x56, 0x34, 0x12}, 5},
    {"movabs rax, imm64", k64, {0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7, 8}, 10},
    {"mov ax, imm16", k64, {0x66, 0xB8, 0x34, 0x12}, 4},
    {"REX.W wins over 66 for imm", k64, {0x66, 0x48, 0xB8, 1, 2, 3, 4, 5, 6, 7, 8}, 11},
    {"add [rax+rbx*4+0x10], 1", k64, {0x83, 0x44, 0x98, 0x10, 0x01}, 5},
    {"SIB without base: disp32", k64, {0x8B, 0x04, 0x25, 0x00, 0x10, 0x00, 0x00}, 7},
    {"RIP-relative lea", k64, {0x48, 0x8D, 0x05, 0x10, 0x00, 0x00, 0x00}, 7},
    {"mod 2: disp32", k64, {0x8B, 0x80, 0x00, 0x01, 0x00, 0x00}, 6},
    {"r12 base takes a SIB", k64, {0x41, 0x8B, 0x04, 0x24}, 4},
    {"r13 base takes disp8", k64, {0x41, 0x8B, 0x45, 0x00}, 4},
    {"imul r, r/m, imm32", k64, {0x69, 0xC0, 1, 0, 0, 0}, 6},
    {"enter imm16, imm8", k64, {0xC8, 0x10, 0x00, 0x00}, 4},
    {"moffs is 8 bytes in 64-bit mode", k64, {0xA1, 1, 2, 3, 4, 5, 6, 7, 8}, 9},
    {"moffs with 67 is 4 bytes", k64, {0x67, 0xA1, 1, 2, 3, 4}, 6},
    {"test r/m32, imm32 (F7 /0)", k64, {0xF7, 0xC0, 1, 0, 0, 0}, 6},
    {"not r/m32 (F7 /2) has no immediate", k64, {0xF7, 0xD0}, 2},
    {"test r/m8, imm8 (F6 /0)", k64, {0xF6, 0xC1, 0x01}, 3},
    {"x87 fld qword [rsp+8]", k64, {0xDD, 0x44, 0x24, 0x08}, 4},
    {"lock cmpxchg", k64, {0xF0, 0x0F, 0xB1, 0x0A}, 4},
    {"segment override fs", k64, {0x64, 0x48, 0x8B, 0x04, 0x25, 0x28, 0, 0, 0}, 9},
    // Two- and three-byte maps.
    {"imul r, r/m", k64, {0x0F, 0xAF, 0xC1}, 3},
    {"movzx", k64, {0x0F, 0xB6, 0xC0}, 3},
    {"shld imm8", k64, {0x0F, 0xA4, 0xC2, 0x04}, 4},
    {"pshufd imm8", k64, {0x66, 0x0F, 0x70, 0xC1, 0x1B}, 5},
    {"bt imm8 (0F BA /4)", k64, {0x0F, 0xBA, 0xE0, 0x03}, 4},
    {"pshufb (0F 38)", k64, {0x66, 0x0F, 0x38, 0x00, 0xC1}, 5},
    {"palignr (0F 3A) imm8", k64, {0x66, 0x0F, 0x3A, 0x0F, 0xC1, 0x08}, 6},
    {"endbr64", k64, {0xF3, 0x0F, 0x1E, 0xFA}, 4},
    {"mov from cr0 ignores mod", k64, {0x0F, 0x20, 0x00}, 3},
    {"rdtscp (0F 01 F9)", k64, {0x0F, 0x01, 0xF9}, 3},
    {"pminub (66 0F DA) is no x87 opcode", k64, {0x66, 0x0F, 0xDA, 0xEC}, 4},
    {"movq (66 0F D6)", k64, {0x66, 0x0F, 0xD6, 0x47, 0x04}, 5},
    {"0F D6 without a prefix is undefined", k64, {0x0F, 0xD6, 0x47, 0x04}, 0},
    {"packusdw needs 66", k64, {0x66, 0x0F, 0x38, 0x2B, 0xC3}, 5},
    {"0F 38 2B without 66 is undefined", k64, {0x0F, 0x38, 0x2B, 0xC3}, 0},
    {"F3 wins over 66 (movdqu)", k64, {0x66, 0xF3, 0x0F, 0x6F, 0xC1}, 5},
    {"pextrw from memory is undefined", k64, {0x66, 0x0F, 0xC5, 0x00, 0x01}, 0},
    {"x87 DB /4 memory is undefined", k64, {0xDB, 0x20}, 0},
    {"x87 DB FF is undefined", k64, {0xDB, 0xFF}, 0},
    // VEX and EVEX.
    {"vzeroupper (VEX2, no ModRM)", k64, {0xC5, 0xF8, 0x77}, 3},
    {"vmovdqu ymm0, [rsi] (VEX2)", k64, {0xC5, 0xFE, 0x6F, 0x06}, 4},
    {"vpshufb ymm (VEX3 map 2)", k64, {0xC4, 0xE2, 0x7D, 0x00, 0xC1}, 5},
    {"vpalignr (VEX3 map 3) imm8", k64, {0xC4, 0xE3, 0x7D, 0x0F, 0xC1, 0x08}, 6},
    {"vpcmpeqb with RIP-relative", k64, {0xC5, 0xFD, 0x74, 0x05, 1, 0, 0, 0}, 8},
    {"andn (BMI)", k64, {0xC4, 0xE2, 0x78, 0xF2, 0xC1}, 5},
    {"kmovw k1, eax", k64, {0xC5, 0xF8, 0x92, 0xC8}, 4},
    {"vmovdqu64 zmm0, [rdi] (EVEX)", k64, {0x62, 0xF1, 0xFE, 0x48, 0x6F, 0x07}, 6},
    {"EVEX compressed disp8", k64, {0x62, 0xF1, 0xFE, 0x48, 0x6F, 0x4F, 0x01}, 7},
    {"vpternlogd (EVEX map 3) imm8", k64, {0x62, 0xF3, 0x75, 0x48, 0x25, 0xC2, 0xFF}, 7},
    {"vpcmpub (EVEX map 3) imm8, memory", k64, {0x62, 0xF3, 0x7D, 0x48, 0x3E, 0x4E, 0x01, 0x04}, 8},
    // Calls and jumps with their target fields.
    {"call rel32", k64, {0xE8, 0x10, 0, 0, 0}, 5, Row::Call, kAt + 0x15, 1, 0, 4},
    {"call to the next instruction is no call", k64, {0xE8, 0, 0, 0, 0}, 5},
    {"jmp rel8 to itself", k64, {0xEB, 0xFE}, 2, Row::Jump, kAt, 1, 0, 1, true},
    {"je rel8", k64, {0x74, 0x05}, 2, Row::Jump, kAt + 7, 1, 0, 1, true, true},
    {"je rel32", k64, {0x0F, 0x84, 0, 1, 0, 0}, 6, Row::Jump, kAt + 0x106, 2, 0, 4, false, true},
    {"jmp rel32 backwards", k64, {0xE9, 0xFB, 0xFF, 0xFF, 0xFF}, 5, Row::Jump, kAt, 1, 0, 4},
    {"66 on a near jump keeps rel32 in 64-bit mode", k64, {0x66, 0xE9, 0x10, 0, 0, 0}, 6, Row::Jump, kAt + 0x16, 2, 0, 4},
    {"loop has no wide form", k64, {0xE2, 0xFE}, 2, Row::Jump, kAt, 1, 0, 1, false, true},
    {"jrcxz", k64, {0xE3, 0x02}, 2, Row::Jump, kAt + 4, 1, 0, 1, false, true},
    {"call [rip+0x0a] gives the cell", k64, {0xFF, 0x15, 0x0A, 0, 0, 0}, 6, Row::Call, -1, -1, kAt + 0x10, 8},
    {"bnd jmp [rip] (PLT stub)", k64, {0xF2, 0xFF, 0x25, 0x0A, 0, 0, 0}, 7, Row::Jump, -1, -1, kAt + 0x11, 8},
    {"call rax", k64, {0xFF, 0xD0}, 2, Row::Call, -1, -1, 0, 8},
    {"call r11", k64, {0x41, 0xFF, 0xD3}, 3, Row::Call, -1, -1, 0, 8},
    {"notrack jmp [table+rax*8]: no fixed cell", k64, {0x3E, 0xFF, 0x24, 0xC5, 0, 0x20, 0, 0}, 8, Row::Jump, -1, -1, 0, 8},
    {"ret", k64, {0xC3}, 1, Row::Other, -1, -1, 0, 0, false, false, FlowEnd::Return},
    {"ret imm16", k64, {0xC2, 0x08, 0x00}, 3, Row::Other, -1, -1, 0, 0, false, false, FlowEnd::Return},
    {"ud2", k64, {0x0F, 0x0B}, 2, Row::Other, -1, -1, 0, 0, false, false, FlowEnd::Stop},
    {"hlt", k64, {0xF4}, 1, Row::Other, -1, -1, 0, 0, false, false, FlowEnd::Stop},
    {"xbegin is no jump", k64, {0xC7, 0xF8, 0x10, 0, 0, 0}, 6},
    // Invalid encodings.
    {"push es does not exist in 64-bit mode", k64, {0x06}, 0},
    {"lea of a register", k64, {0x8D, 0xC0}, 0},
    {"FF /7", k64, {0xFF, 0xF8}, 0},
    {"FE /2", k64, {0xFE, 0xD0}, 0},
    {"8F /1 (AMD's XOP)", k64, {0x8F, 0xE9, 0x78, 0xC2, 0xC1}, 0},
    {"VEX after a 66 prefix", k64, {0x66, 0xC5, 0xF8, 0x77}, 0},
    {"VEX after REX", k64, {0x40, 0xC5, 0xF8, 0x77}, 0},
    {"VEX after lock", k64, {0xF0, 0xC5, 0xF8, 0x77}, 0},
    {"VEX map 4", k64, {0xC4, 0xE4, 0x7D, 0x00, 0xC1}, 0},
    {"EVEX reserved bit set", k64, {0x62, 0xF9, 0xFE, 0x48, 0x6F, 0x07}, 0},
    {"3DNow! (0F 0F)", k64, {0x0F, 0x0F, 0xC1, 0x9E}, 0},
    {"undefined 0F 38 opcode", k64, {0x0F, 0x38, 0x50, 0xC0}, 0},
    {"0F 0A", k64, {0x0F, 0x0A}, 0},
    {"15 bytes are allowed", k64, {0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x90}, 15},
    {"16 bytes are too long", k64, {0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x66, 0x90}, 0},
    {"bytes end inside the instruction", k64, {0xE8, 0x00, 0x00}, 0},
    {"bytes end inside the ModRM operand", k64, {0x8B, 0x80, 0x00}, 0},
    // 32-bit mode (IA-32).
    {"inc eax, not REX", k32, {0x40}, 1},
    {"push es", k32, {0x06}, 1},
    {"les is C4 with a memory operand", k32, {0xC4, 0x06}, 2},
    {"C4 with mod 3 is VEX", k32, {0xC4, 0xE2, 0x7D, 0x00, 0xC1}, 5},
    {"C5 with mod 3 is VEX", k32, {0xC5, 0xF8, 0x77}, 3},
    {"16-bit address with disp8", k32, {0x67, 0x8B, 0x46, 0x10}, 4},
    {"16-bit address disp16 only", k32, {0x67, 0x8B, 0x06, 0x34, 0x12}, 5},
    {"disp32 without base", k32, {0x8B, 0x05, 0, 0x10, 0, 0}, 6},
    {"moffs is 4 bytes", k32, {0xA1, 0, 0x10, 0, 0}, 5},
    {"mov eax, imm32 (REX.W impossible)", k32, {0x48, 0xB8, 1, 2, 3, 4}, 1},
    {"aam imm8", k32, {0xD4, 0x0A}, 2},
    {"salc", k32, {0xD6}, 1},
    {"32-bit call rel32", k32, {0xE8, 0x10, 0, 0, 0}, 5, Row::Call, kAt + 0x15, 1, 0, 4},
    {"66 call rel16 wraps to 16 bits", k32, {0x66, 0xE8, 0x10, 0x00}, 4, Row::Call, 0x1014, 2, 0, 2},
    {"call [abs32] gives the cell", k32, {0xFF, 0x15, 0x00, 0x20, 0x40, 0x00}, 6, Row::Call, -1, -1, 0x402000, 4},
    {"jmp [table+eax*4]: no fixed cell", k32, {0xFF, 0x24, 0x85, 0x00, 0x20, 0x40, 0x00}, 7, Row::Jump, -1, -1, 0, 4},
    {"far call ptr16:32", k32, {0x9A, 0, 0, 0, 0, 0x08, 0x00}, 7, Row::Call},
    {"far jmp [mem]", k32, {0xFF, 0x2D, 0, 0x20, 0x40, 0}, 6, Row::Jump, -1, -1, 0x402000, 6},
    {"FF /3 with a register", k32, {0xFF, 0xD8}, 0},
    {"push es does exist", k32, {0x1E}, 1},
    {"bound", k32, {0x62, 0x06}, 2},
    {"EVEX in 32-bit mode", k32, {0x62, 0xF3, 0x7D, 0x28, 0x3F, 0x07, 0x00}, 7},
    {"EVEX.V' is ignored in 32-bit mode", k32, {0x62, 0xF3, 0x7D, 0x20, 0x3F, 0x07, 0x00}, 7},
};

TEST(DecodeInstruction, FactsOfEachEncoding) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.label);
    BytesReader reader;
    reader.Place(kAt, row.bytes);
    const InstructionFacts f = DecodeInstruction(kAt, reader, row.mode);
    ASSERT_EQ(f.valid, row.length != 0) << row.label;
    if (!f.valid) continue;
    EXPECT_EQ(f.start, kAt) << row.label;
    EXPECT_EQ(f.next - f.start, uint64_t(row.length)) << row.label;
    EXPECT_EQ(f.call, row.kind == Row::Call) << row.label;
    EXPECT_EQ(f.jump, row.kind == Row::Jump) << row.label;
    EXPECT_EQ(f.hasTarget, row.target >= 0) << row.label;
    if (row.target >= 0) {
      EXPECT_EQ(f.target, uint64_t(row.target)) << row.label;
    }
    EXPECT_EQ(f.targetField, row.fieldOffset >= 0 ? kAt + uint64_t(row.fieldOffset) : 0) << row.label;
    EXPECT_EQ(f.targetCell, row.cell) << row.label;
    EXPECT_EQ(f.targetSize, row.targetSize) << row.label;
    EXPECT_EQ(f.enlargeable, row.enlargeable) << row.label;
    EXPECT_EQ(f.conditional, row.conditional) << row.label;
    EXPECT_EQ(f.flowEnd, row.flowEnd) << row.label;
  }
}

TEST(DecodeInstruction, OpcodeNumbersTheMaps) {
  struct Case {
    const char* label;
    std::vector<uint8_t> bytes;
    uint32_t opcode;
    OpcodeEncoding encoding;
  } cases[] = {
      {"one-byte", {0x55}, 0x55, OpcodeEncoding::Legacy},
      {"two-byte", {0x0F, 0xAF, 0xC1}, 0x0FAF, OpcodeEncoding::Legacy},
      {"0F 38", {0x66, 0x0F, 0x38, 0x00, 0xC1}, 0x0F3800, OpcodeEncoding::Legacy},
      {"VEX map 3", {0xC4, 0xE3, 0x7D, 0x0F, 0xC1, 0x08}, 0x0F3A0F, OpcodeEncoding::Vex},
      {"EVEX map 1", {0x62, 0xF1, 0xFE, 0x48, 0x6F, 0x07}, 0x0F6F, OpcodeEncoding::Evex},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const InstructionFacts f = DecodeBytes(c.bytes.data(), c.bytes.size(), kAt, CodeMode::Bits64);
    EXPECT_EQ(f.opcode, c.opcode) << c.label;
    EXPECT_EQ(f.encoding, c.encoding) << c.label;
  }
}

// Indirect targets: the cell's content, or a register whose value is known.
TEST(DecodeInstruction, IndirectTargets) {
  BytesReader reader;
  reader.Place(kAt, {0xFF, 0x15, 0x0A, 0, 0, 0});  // call [rip+0x0a] -> cell 0x1010
  reader.Place(kAt + 0x10, {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11});
  InstructionFacts f = DecodeInstruction(kAt, reader, CodeMode::Bits64);
  EXPECT_TRUE(f.hasTarget);
  EXPECT_EQ(f.target, 0x1122334455667788u);

  BytesReader unreadableCell;
  unreadableCell.Place(kAt, {0xFF, 0x15, 0x0A, 0, 0, 0});
  f = DecodeInstruction(kAt, unreadableCell, CodeMode::Bits64);
  EXPECT_TRUE(f.call);
  EXPECT_FALSE(f.hasTarget);
  EXPECT_EQ(f.targetCell, kAt + 0x10);

  BytesReader callRegister;
  callRegister.Place(kAt, {0xFF, 0xD0});  // call eax / rax
  RegisterState registers;
  registers.Set(0, 0x401000);
  f = DecodeInstruction(kAt, callRegister, CodeMode::Bits32, &registers);
  EXPECT_TRUE(f.hasTarget);
  EXPECT_EQ(f.target, 0x401000u);
  f = DecodeInstruction(kAt, callRegister, CodeMode::Bits32);
  EXPECT_FALSE(f.hasTarget);

  BytesReader callThroughRegister;  // call [ebx+8] with ebx known
  callThroughRegister.Place(kAt, {0xFF, 0x53, 0x08});
  callThroughRegister.Place(0x2008, {0x00, 0x30, 0x40, 0x00});
  RegisterState ebx;
  ebx.Set(3, 0x2000);
  f = DecodeInstruction(kAt, callThroughRegister, CodeMode::Bits32, &ebx);
  EXPECT_EQ(f.targetCell, 0x2008u);
  EXPECT_EQ(f.target, 0x403000u);
}

TEST(DecodeInstruction, ThirtyTwoBitTargetsWrapAround) {
  BytesReader reader;
  reader.Place(0xFFFFFFF0, {0xE9, 0x20, 0, 0, 0});
  const InstructionFacts f = DecodeInstruction(0xFFFFFFF0, reader, CodeMode::Bits32);
  EXPECT_EQ(f.next, 0xFFFFFFF5u);
  EXPECT_EQ(f.target, 0x15u);
}

}  // namespace
