#pragma once
// What the function walk knows at a point of the code: register values, and the pieces
// of a compiler's switch dispatch seen so far (a register checked against an upper
// bound, a register loaded from a table of offsets, a register holding table + offset).

#include <cstdint>

#include "crash/code/Instruction.h"
#include "crash/code/MemoryReader.h"
#include "crash/code/RegisterState.h"

struct SwitchPiece {
  enum Kind : uint8_t { None, Entry, Target } kind = None;
  uint64_t table = 0;
  uint32_t count = 0;
  bool operator==(const SwitchPiece&) const = default;
};

struct WalkState {
  RegisterState registers;
  uint32_t bound[16] = {};  // register value < bound[r] (unsigned) when bounded bit r
  uint16_t bounded = 0;
  // The same for the low byte or word alone (a narrow compare): narrowWidth[r] is 1 or 2.
  uint32_t narrowBound[16] = {};
  uint8_t narrowWidth[16] = {};
  uint16_t narrowBounded = 0;
  uint8_t valueBits[16] = {};  // the value fits in so many low bits (after movzx), 0: unknown
  SwitchPiece piece[16];

  bool Bounded(int r) const { return r >= 0 && r < 16 && (bounded >> r & 1); }
  bool NarrowBounded(int r) const { return r >= 0 && r < 16 && (narrowBounded >> r & 1); }
  // Puts the bound on the register, or with width 1 or 2 on its low byte or word, keeping
  // the tighter of two.
  void Bound(int r, uint32_t limit, int width);
  void Forget(int r);
  void ForgetAll();
  // Keeps only what both states know alike; true when this state changed.
  bool MeetWith(const WalkState& other);
};

// A compare of a register with a constant, waiting for the conditional jump after it.
struct PendingCompare {
  int reg = -1;  // -1: none, or a memory operand when memory is set
  uint64_t constant = 0;
  int width = 0;  // 1 or 2: compares the low byte or word; 0: the whole operand
  bool memory = false;
  ModRmOperand operand;  // the memory operand compared
};

// A memory operand bounded by the compare and jump just before, which the next instruction
// may load into a register (cmpb $N, (m); ja; movzbl (m), reg).
struct MemoryBound {
  bool active = false;
  ModRmOperand operand;
  int width = 0;
  uint32_t bound = 0;
};

// The bound a load of the bounded memory operand puts on its destination register.
void ApplyMemoryBound(const InstructionFacts& f, const MemoryBound& bound, WalkState& state);

// Updates the state for the effects of one instruction on the general registers: values
// that become known (constants, addresses, cells read through the reader), values that
// are lost, and the switch pieces. compare gets the compare this instruction makes.
void ApplyInstruction(const InstructionFacts& f, CodeMode mode, const MemoryReader& reader,
                      WalkState& state, PendingCompare& compare);

// The bound a conditional jump after the compare puts on the compared register on its
// fall-through path (0 when it puts none).
uint32_t BoundAfterJump(const InstructionFacts& jump, const PendingCompare& compare, CodeMode mode);
