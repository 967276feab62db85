#pragma once
// Properties of the opcodes of each map, written from the processor manuals' opcode maps.
// Operands that depend on the ModRM middle field are sorted out by the decoder itself.

#include <array>
#include <cstdint>

enum OpcodeFlag : uint16_t {
  kModRm = 1 << 0,
  kImm8 = 1 << 1,
  kImm16 = 1 << 2,
  kImmZ = 1 << 3,      // 16 or 32 bits by operand size
  kImmV = 1 << 4,      // 16, 32 or 64 bits by operand size
  kImmEnter = 1 << 5,  // 16 + 8 bits
  kImmFar = 1 << 6,    // 16-bit selector + 16/32-bit offset
  kMoffs = 1 << 7,     // offset as wide as the address size
  kRel8 = 1 << 8,
  kRelZ = 1 << 9,
  kInvalid32 = 1 << 10,
  kInvalid64 = 1 << 11,
  kRegOnly = 1 << 12,  // ModRM always names registers, whatever mod says
  kMemOnly = 1 << 13,  // mod == 3 is undefined
  kPrefix = 1 << 14,
  kInvalid = 1 << 15,
};

using OpcodeTable = std::array<uint16_t, 256>;

extern const OpcodeTable kOneByteMap;
extern const OpcodeTable kTwoByteMap;   // 0F xx
extern const OpcodeTable kMap0F38;      // 0F 38 xx
extern const OpcodeTable kMap0F3A;      // 0F 3A xx
extern const OpcodeTable kVexMap1;      // VEX/EVEX 0F xx
extern const OpcodeTable kVexMap2;      // VEX 0F38 xx
extern const OpcodeTable kVexMap3;      // VEX 0F3A xx
