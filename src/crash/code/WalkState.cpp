#include "crash/code/WalkState.h"

void WalkState::Forget(int r) {
  if (r < 0 || r >= 16) return;
  registers.Forget(r);
  bounded &= uint16_t(~(1u << r));
  narrowBounded &= uint16_t(~(1u << r));
  valueBits[r] = 0;
  piece[r] = {};
}

void WalkState::Bound(int r, uint32_t limit, int width) {
  if (width == 0) {
    if (!Bounded(r) || limit < bound[r]) bound[r] = limit;
    bounded |= uint16_t(1u << r);
    return;
  }
  // A register that holds no more than its low byte or word is bounded as a whole.
  if (valueBits[r] && valueBits[r] <= 8 * width) Bound(r, limit, 0);
  // A bound on the low word also holds for the low byte, not the other way round.
  if (!NarrowBounded(r) || limit < narrowBound[r] || width > narrowWidth[r]) {
    narrowBound[r] = limit;
    narrowWidth[r] = uint8_t(width);
  }
  narrowBounded |= uint16_t(1u << r);
}

void WalkState::ForgetAll() {
  for (int r = 0; r < 16; ++r) Forget(r);
}

bool WalkState::MeetWith(const WalkState& other) {
  bool changed = false;
  for (int r = 0; r < 16; ++r) {
    if (registers.Known(r) && (!other.registers.Known(r) || other.registers.value[r] != registers.value[r])) {
      registers.Forget(r);
      changed = true;
    }
    if (Bounded(r) && (!other.Bounded(r) || other.bound[r] != bound[r])) {
      bounded &= uint16_t(~(1u << r));
      changed = true;
    }
    if (NarrowBounded(r) && (!other.NarrowBounded(r) || other.narrowBound[r] != narrowBound[r] ||
                             other.narrowWidth[r] != narrowWidth[r])) {
      narrowBounded &= uint16_t(~(1u << r));
      changed = true;
    }
    if (valueBits[r] && valueBits[r] != other.valueBits[r]) {
      valueBits[r] = 0;
      changed = true;
    }
    if (piece[r].kind != SwitchPiece::None && !(piece[r] == other.piece[r])) {
      piece[r] = {};
      changed = true;
    }
  }
  return changed;
}

namespace {

uint64_t Width(uint64_t value, int size) {
  return size >= 8 ? value : value & ((uint64_t(1) << (8 * size)) - 1);
}

// Writes a register: a known value only for full 32- or 64-bit writes (a 32-bit write
// clears the upper half in 64-bit mode).
void Write(WalkState& s, int reg, int size, bool known, uint64_t value) {
  s.Forget(reg);
  if (known && size >= 4) s.registers.Set(reg, Width(value, size));
}

// A byte-register write without REX to registers 4-7 names ah, ch, dh, bh.
void ForgetByteRegister(WalkState& s, int reg, bool rex) {
  s.Forget(!rex && reg >= 4 && reg < 8 ? reg - 4 : reg);
}

void ForgetCallerSaved(WalkState& s, CodeMode mode) {
  static const int k64[] = {0, 1, 2, 6, 7, 8, 9, 10, 11};
  static const int k32[] = {0, 1, 2};
  if (mode == CodeMode::Bits64) for (int r : k64) s.Forget(r);
  else for (int r : k32) s.Forget(r);
}

PendingCompare RegisterCompare(int reg, uint64_t constant, int width) {
  PendingCompare compare;
  compare.reg = reg;
  compare.constant = constant;
  compare.width = width;
  return compare;
}

// The width a compare of that operand size bounds: 1 or 2 for the narrow ones, else 0.
int CompareWidth(int operandSize) { return operandSize == 2 ? 2 : 0; }

bool IsSseClass(uint32_t op) {
  const uint32_t b = op & 0xFF;
  if ((op & 0xFFFF00) == 0x0F3800 || (op & 0xFFFF00) == 0x0F3A00) return true;
  return (op & 0xFFFF00) == 0x0F00 &&
         ((b >= 0x10 && b <= 0x17) || (b >= 0x28 && b <= 0x2F) || (b >= 0x50 && b <= 0x7F && b != 0x77) ||
          (b >= 0xC2 && b <= 0xC6) || b >= 0xD0);
}

// The two-byte opcodes that write no general register at all.
bool TwoByteNeutral(const InstructionFacts& f) {
  const uint32_t b = f.opcode & 0xFF;
  const ModRmOperand& m = f.modrm;
  if ((b >= 0x18 && b <= 0x1F) || b == 0x0D || b == 0x77 || b == 0xA3) return true;  // hints, bt
  if (b >= 0x80 && b <= 0x8F) return true;
  if ((b == 0x00 || b == 0x01 || b == 0xAE || (b >= 0x90 && b <= 0x9F)) && m.memory) return true;
  if (b == 0xAE && m.mod == 3 && (m.reg & 7) >= 5) return true;  // fences
  if (b == 0xBA && (m.reg & 7) == 4) return true;
  return (b == 0xAB || b == 0xB3 || b == 0xBB || b == 0xA4 || b == 0xA5 || b == 0xAC || b == 0xAD ||
          b == 0xBA) && m.memory;
}

void ApplyTwoByte(const InstructionFacts& f, WalkState& s) {
  const uint32_t b = f.opcode & 0xFF;
  const ModRmOperand& m = f.modrm;
  if (TwoByteNeutral(f)) return;
  if (IsSseClass(f.opcode) && f.opcode != 0x0FC7) {
    s.Forget(m.reg);
    if (m.mod == 3) s.Forget(m.rm);
    if ((f.opcode & 0xFFFFFC) == 0x0F3A60) s.Forget(1);  // pcmpXstrX leave their index in ecx
    return;
  }
  if ((b == 0xB6 && m.mod == 3 && (f.rex || m.rm < 4)) || (b == 0xB7 && m.mod == 3)) {
    // movzx of a bounded byte or word keeps the bound
    const int width = b == 0xB6 ? 1 : 2;
    const WalkState copy = s;
    s.Forget(m.reg);
    if (f.operandSize >= 4) s.valueBits[m.reg] = uint8_t(8 * width);
    if (copy.NarrowBounded(m.rm) && width <= copy.narrowWidth[m.rm]) s.Bound(m.reg, copy.narrowBound[m.rm], 0);
    if (copy.Bounded(m.rm) && copy.bound[m.rm] <= (1u << (8 * width))) s.Bound(m.reg, copy.bound[m.rm], 0);
    return;
  }
  if ((b >= 0x40 && b <= 0x4F) || b == 0xAF || b == 0xB6 || b == 0xB7 || b == 0xBE || b == 0xBF ||
      b == 0xBC || b == 0xBD || b == 0xB8 || b == 0x02 || b == 0x03) {
    s.Forget(m.reg);
    if ((b == 0xB6 || b == 0xB7) && f.operandSize >= 4) s.valueBits[m.reg] = b == 0xB6 ? 8 : 16;
    return;
  }
  if (b >= 0x90 && b <= 0x9F) return ForgetByteRegister(s, m.rm, f.rex);
  if (b >= 0xC8 && b <= 0xCF) return s.Forget(f.opcodeRegister);
  if ((b == 0xAB || b == 0xB3 || b == 0xBB || b == 0xA4 || b == 0xA5 || b == 0xAC || b == 0xAD ||
       b == 0xBA || b == 0x00) && m.mod == 3)
    return s.Forget(m.rm);
  s.ForgetAll();  // cpuid, rdtsc, syscall, cmpxchg, ...: more than their operands
}

}  // namespace

void ApplyInstruction(const InstructionFacts& f, CodeMode mode, const MemoryReader& reader,
                      WalkState& s, PendingCompare& compare) {
  compare = {};
  const ModRmOperand& m = f.modrm;
  const int size = f.operandSize;
  if (f.call) return ForgetCallerSaved(s, mode);
  if (f.jump || f.flowEnd != FlowEnd::None) return;
  if (f.encoding != OpcodeEncoding::Legacy) {
    s.Forget(m.reg);
    if (m.mod == 3) s.Forget(m.rm);
    if (f.vexRegister >= 0) s.Forget(f.vexRegister);
    if ((f.opcode & 0xFFFFFC) == 0x0F3A60) s.Forget(1);
    return;
  }
  if (f.opcode > 0xFF) return ApplyTwoByte(f, s);

  const uint32_t op = f.opcode;
  if (op < 0x40 && (op & 7) < 6) {  // the arithmetic rows
    const int kind = int(op >> 3);   // 0 add, 1 or, 2 adc, 3 sbb, 4 and, 5 sub, 6 xor, 7 cmp
    const bool byte = (op & 1) == 0;
    if (kind == 7) {
      if (op == 0x3D) compare = RegisterCompare(0, Width(uint64_t(f.immediate), size), CompareWidth(size));
      if (op == 0x3C) compare = RegisterCompare(0, uint8_t(f.immediate), 1);
      return;
    }
    if ((op & 7) >= 4) return byte ? ForgetByteRegister(s, 0, true) : s.Forget(0);
    const bool toReg = (op & 2) != 0;
    if (!toReg && m.memory) return;  // a store
    const int dest = toReg ? m.reg : m.rm;
    const int src = toReg ? m.rm : m.reg;
    if (byte) return ForgetByteRegister(s, dest, f.rex);
    if ((kind == 6 || kind == 5) && m.mod == 3 && dest == src) return Write(s, dest, size, true, 0);
    if (kind == 0 && m.mod == 3 && s.piece[dest].kind == SwitchPiece::Entry &&
        s.registers.Known(src) && s.registers.value[src] == s.piece[dest].table) {
      SwitchPiece target = s.piece[dest];
      target.kind = SwitchPiece::Target;
      s.Forget(dest);
      s.piece[dest] = target;
      return;
    }
    return s.Forget(dest);
  }
  if (op >= 0x80 && op <= 0x83) {
    if (m.memory) {
      if ((m.reg & 7) == 7 && (op != 0x81 || size >= 4)) {
        compare.memory = true;
        compare.operand = m;
        compare.width = op == 0x80 || op == 0x82 ? 1 : CompareWidth(size);
        compare.constant = compare.width == 1 ? uint8_t(f.immediate) : Width(uint64_t(f.immediate), size);
      }
      return;
    }
    const int kind = m.reg & 7;
    if (op == 0x80 || op == 0x82) {
      if (kind != 7) return ForgetByteRegister(s, m.rm, f.rex);
      if (f.rex || m.rm < 4) compare = RegisterCompare(m.rm, uint8_t(f.immediate), 1);
      return;
    }
    if (kind == 7) {
      compare = RegisterCompare(m.rm, Width(uint64_t(f.immediate), size), CompareWidth(size));
      return;
    }
    const bool known = s.registers.Known(m.rm);
    const uint64_t value = s.registers.value[m.rm], imm = uint64_t(f.immediate);
    if (kind == 4 && size >= 4 && f.immediate >= 0 && f.immediate < 0x10000) {
      Write(s, m.rm, size, known, value & imm);
      s.Bound(m.rm, uint32_t(imm + 1), false);
      return;
    }
    if (kind == 0 || kind == 5) return Write(s, m.rm, size, known, kind == 0 ? value + imm : value - imm);
    return s.Forget(m.rm);
  }
  switch (op) {
    case 0x84: case 0x85: case 0xA8: case 0xA9:
      return;
    case 0x88: case 0x8A: case 0xC6:
      if (op == 0x8A) return ForgetByteRegister(s, m.reg, f.rex);
      if (!m.memory) ForgetByteRegister(s, m.rm, f.rex);
      return;
    case 0x89:
    case 0x8B: {
      const int dest = op == 0x89 ? m.rm : m.reg;
      if (op == 0x89 && m.memory) return;
      if (m.mod == 3) {
        const int src = op == 0x89 ? m.reg : m.rm;
        WalkState copy = s;
        Write(s, dest, size, copy.registers.Known(src), copy.registers.value[src]);
        if (size >= 4 && copy.Bounded(src)) s.Bound(dest, copy.bound[src], false);
        return;
      }
      uint64_t cell, value = 0;
      const bool known = size >= 4 && EffectiveAddress(f, &s.registers, cell) &&
                         reader.ReadExactly(uintptr_t(cell), &value, size_t(size));
      return Write(s, dest, size, known, value);
    }
    case 0x8D: {
      uint64_t address;
      const bool known = EffectiveAddress(f, &s.registers, address);
      return Write(s, m.reg, size, known, address);
    }
    case 0x63:
      if (mode == CodeMode::Bits64 && m.memory && m.scale == 4 && m.base >= 0 &&
          s.registers.Known(m.base) && s.Bounded(m.index)) {
        SwitchPiece entry{SwitchPiece::Entry, s.registers.value[m.base] + uint64_t(m.displacement),
                          s.bound[m.index]};
        s.Forget(m.reg);
        s.piece[m.reg] = entry;
        return;
      }
      return s.Forget(m.reg);
    case 0xC7:
      if (m.memory) return;
      return Write(s, m.rm, size, true, uint64_t(f.immediate));
    case 0x68: case 0x6A: case 0x9B: case 0x9C: case 0x9D: case 0x9E: case 0xA2: case 0xA3:
    case 0xF5: case 0xF8: case 0xF9: case 0xFA: case 0xFB: case 0xFC: case 0xFD: case 0x8E:
      return;
    case 0x69: case 0x6B:
      return s.Forget(m.reg);
    case 0x98: case 0x9F: case 0xA0: case 0xA1: case 0xD7: case 0xE4: case 0xE5: case 0xEC: case 0xED:
      return s.Forget(0);
    case 0x99:
      return s.Forget(2);
    case 0x86: case 0x87:
      ForgetByteRegister(s, m.reg, f.rex || op == 0x87);
      if (!m.memory) ForgetByteRegister(s, m.rm, f.rex || op == 0x87);
      return;
    case 0x8C: case 0x8F: case 0xC0: case 0xC1: case 0xD0: case 0xD1: case 0xD2: case 0xD3:
      if (!m.memory) ForgetByteRegister(s, m.rm, f.rex || (op & 1));
      return;
    case 0xD8: case 0xD9: case 0xDA: case 0xDB: case 0xDC: case 0xDD: case 0xDE: case 0xDF:
      if (op == 0xDF && m.mod == 3 && (m.reg & 7) == 4) s.Forget(0);  // fnstsw ax
      return;
    case 0xF6: case 0xF7:
    case 0xFE: case 0xFF: {
      const int kind = m.reg & 7;
      if (op >= 0xFE) {
        if (kind == 6) return;  // push
        if (!m.memory) ForgetByteRegister(s, m.rm, f.rex || op == 0xFF);
        return;
      }
      if (kind < 2) return;  // test
      if (kind < 4) {
        if (!m.memory) ForgetByteRegister(s, m.rm, f.rex || op == 0xF7);
        return;
      }
      s.Forget(0);
      if (op == 0xF7) s.Forget(2);
      return;
    }
    default:
      break;
  }
  if (op >= 0x50 && op <= 0x57) return;                   // push
  if (op >= 0x58 && op <= 0x5F) return s.Forget(f.opcodeRegister);
  if (op >= 0xB0 && op <= 0xB7) return ForgetByteRegister(s, f.opcodeRegister, f.rex);
  if (op >= 0xB8 && op <= 0xBF) return Write(s, f.opcodeRegister, size, true, uint64_t(f.immediate));
  if (mode == CodeMode::Bits32 && op >= 0x40 && op <= 0x4F) return s.Forget(op & 7);
  if (op >= 0x91 && op <= 0x97) {
    s.Forget(0);
    return s.Forget(f.opcodeRegister);
  }
  if (op == 0x90) {  // nop and pause; xchg with r8 under REX.B
    if (f.opcodeRegister == 0) return;
    s.Forget(0);
    return s.Forget(f.opcodeRegister);
  }
  s.ForgetAll();  // string instructions, enter/leave, interrupts, in/out, segment loads, ...
}

void ApplyMemoryBound(const InstructionFacts& f, const MemoryBound& bound, WalkState& state) {
  const ModRmOperand& m = f.modrm;
  if (!bound.active || !m.memory || f.encoding != OpcodeEncoding::Legacy) return;
  const ModRmOperand& b = bound.operand;
  const bool same = m.base == b.base && m.index == b.index && m.scale == b.scale &&
                    m.displacement == b.displacement && m.ripRelative == b.ripRelative;
  // A load no wider than the compared operand (the low part of it) keeps the bound.
  const int loaded = f.opcode == 0x0FB6 ? 1 : f.opcode == 0x0FB7 ? 2 : f.opcode == 0x8B && f.operandSize >= 4 ? 4 : 0;
  const int compared = bound.width ? bound.width : 8;
  if (same && loaded && loaded <= compared) state.Bound(m.reg, bound.bound, 0);
}

uint32_t BoundAfterJump(const InstructionFacts& jump, const PendingCompare& compare, CodeMode mode) {
  if ((compare.reg < 0 && !compare.memory) || !jump.jump || !jump.conditional || compare.constant >= 0x10000) return 0;
  const uint32_t cc = (jump.opcode & 0xFFFF00) == 0x0F00 ? jump.opcode - 0x0F80 : jump.opcode - 0x70;
  if (jump.opcode >= 0xE0 && jump.opcode <= 0xE3) return 0;
  const uint32_t n = uint32_t(compare.constant);
  // The jump leaves when above (7: ja) or not below (3: jae); signed greater (0xF: jg) and
  // greater-or-equal (0xD: jge) count too in 32-bit code, where the bound pattern allows them.
  if (cc == 7 || (cc == 0xF && mode == CodeMode::Bits32)) return n + 1;
  if (cc == 3 || (cc == 0xD && mode == CodeMode::Bits32)) return n;
  return 0;
}
