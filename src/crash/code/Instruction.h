#pragma once
// Decoding one x86 instruction into the few facts that the stack tracer and the entry
// patcher need: its length, whether it calls or jumps, and where to. 32-bit mode decodes
// IA-32; 64-bit mode adds REX, the 64-bit operand and address rules and RIP-relative
// addressing. VEX and EVEX encoded instructions are decoded in both modes.
//
// Nothing here faults or throws: memory is read only through a MemoryReader, and bytes
// that cannot be read or do not form an instruction give an invalid result. Safe to call
// from any thread; allocation-free, so usable while other threads are held, and in a
// signal handler when the reader is (the live reader is: one system call per read).

#include <cstdint>

#include "crash/code/MemoryReader.h"
#include "crash/code/RegisterState.h"

enum class CodeMode { Bits32, Bits64 };

enum class OpcodeEncoding : uint8_t { Legacy, Vex, Evex };

// How control leaves an instruction, apart from calls and jumps.
enum class FlowEnd : uint8_t {
  None,    // goes on with the next instruction
  Return,  // ret, retf, iret
  Stop,    // never goes on: hlt, ud0/ud1/ud2, int3
};

// The memory or register operand of the ModRM byte.
struct ModRmOperand {
  bool present = false;  // a ModRM byte exists
  uint8_t mod = 0;
  uint8_t reg = 0;       // middle field, with REX.R
  uint8_t rm = 0;        // low field, with REX.B (the register when mod == 3)
  bool memory = false;   // mod != 3 and the instruction addresses memory
  int8_t base = -1;      // base register of the address, or -1
  int8_t index = -1;     // index register, or -1
  uint8_t scale = 1;
  bool ripRelative = false;
  int64_t displacement = 0;
};

struct InstructionFacts {
  bool valid = false;
  // The opcode byte; 0x0F00 + second byte for two-byte opcodes, 0x0F3800 / 0x0F3A00 +
  // third byte for the three-byte maps. VEX and EVEX opcodes are numbered by their map
  // the same way (map 5 and 6 as 0x0500 / 0x0600 + byte); see encoding.
  uint32_t opcode = 0;
  OpcodeEncoding encoding = OpcodeEncoding::Legacy;
  bool call = false;
  bool jump = false;
  bool conditional = false;  // a jump taken only on a condition (jcc, loop, jcxz)
  bool hasTarget = false;
  uint64_t target = 0;
  uint64_t targetField = 0;  // address of the relative target field, 0 when none
  uint64_t targetCell = 0;   // address of the cell holding the target, 0 when none
  uint8_t targetSize = 0;    // bytes of the target field, or of the cell
  bool enlargeable = false;  // short jump that has a form with a 32-bit field
  FlowEnd flowEnd = FlowEnd::None;
  uint64_t start = 0;
  uint64_t next = 0;

  // Operand details the function analysis looks at.
  ModRmOperand modrm;
  uint8_t operandSize = 4;  // 2, 4 or 8 (byte forms are told apart by opcode)
  uint8_t addressSize = 4;  // 2, 4 or 8
  bool rex = false;         // a REX prefix was used (selects spl..dil over ah..bh)
  uint8_t opcodeRegister = 0;  // low three opcode bits with REX.B (push r, mov r, imm)
  int8_t vexRegister = -1;  // the VEX/EVEX vvvv register, -1 when none
  uint8_t immediateSize = 0;
  int64_t immediate = 0;  // first immediate, sign-extended from its size
  uint8_t prefixF3 = 0, prefixF2 = 0, prefix66 = 0;
  uint8_t segment = 0;  // segment override prefix byte, 0 when none
};

// The longest instruction the processor accepts.
constexpr int kMaxInstructionLength = 15;

// Decodes bytes[0..available) as one instruction at address, without reading memory.
// Targets through memory cells or registers are left undetermined (the cell address is
// given when it is fixed: absolute, or RIP-relative).
InstructionFacts DecodeBytes(const uint8_t* bytes, size_t available, uint64_t address,
                             CodeMode mode);

// Decodes the instruction at address. A relative call or jump to its own next address (a
// call that only fetches the current address) is reported as an ordinary instruction. A cell that holds the target is read through the
// reader; with a register state, targets through a known register are determined too.
InstructionFacts DecodeInstruction(uint64_t address, const MemoryReader& reader, CodeMode mode,
                                   const RegisterState* registers = nullptr);

struct TReadableRanges;

// Our own code in 64-bit mode, read through GuardedRead (with the snapshot when given).
InstructionFacts DecodeInstruction(uintptr_t address, const TReadableRanges* snapshot,
                                   const RegisterState* registers = nullptr);

// The effective address of a memory operand when it is fixed or all its registers are
// known; false otherwise.
bool EffectiveAddress(const InstructionFacts& facts, const RegisterState* registers,
                      uint64_t& address);
