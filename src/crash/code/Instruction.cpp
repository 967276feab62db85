#include "crash/code/Instruction.h"

#include <algorithm>
#include <cstring>

#include "crash/code/OpcodeTables.h"

namespace {

// The prefix and opcode state collected before the operands.
struct Prefixes {
  bool opsize = false, adsize = false, lock = false;
  uint8_t rep = 0;  // last of F2/F3
  bool f2 = false, f3 = false;
  uint8_t segment = 0;
  uint8_t rex = 0;  // or the REX bits implied by VEX/EVEX
};

int64_t SignExtend(uint64_t value, int bytes) {
  if (bytes <= 0) return 0;
  int shift = 64 - 8 * bytes;
  return bytes >= 8 ? int64_t(value) : int64_t(value << shift) >> shift;
}

uint64_t ReadLittle(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int k = bytes - 1; k >= 0; --k) v = v << 8 | p[k];
  return v;
}

uint64_t Truncate(uint64_t value, int bytes) {
  return bytes >= 8 ? value : value & ((uint64_t(1) << (8 * bytes)) - 1);
}

// 0F 01 with mod == 3: the forms the manuals define (Intel's and AMD's system
// instructions), by ModRM byte.
bool Valid0F01Register(uint8_t modrm, bool m64) {
  switch (modrm >> 3 & 7) {
    case 0: return modrm >= 0xC1 && modrm <= 0xC5;
    case 1: return modrm <= 0xCB || modrm == 0xCF;
    case 2: return modrm == 0xD0 || modrm == 0xD1 || (modrm >= 0xD4 && modrm <= 0xD7);
    case 3: return true;  // AMD SVM
    case 4: case 6: return true;  // smsw, lmsw
    case 5: return modrm == 0xE8 || modrm == 0xEA || modrm == 0xEE || modrm == 0xEF;
    default: return modrm <= 0xFD && (modrm != 0xF8 || m64);
  }
}

// Rules of the ModRM middle field and of mod for the opcodes that have them. Returns
// false for undefined forms; may add an immediate or a relative field.
bool CheckGroup(uint32_t opcode, uint8_t modrmByte, const Prefixes& px, bool m64,
                uint16_t& flags) {
  const uint8_t mod = modrmByte >> 6, reg = modrmByte >> 3 & 7;
  switch (opcode) {
    case 0x8F: return reg == 0;
    case 0xC6: return reg == 0 || modrmByte == 0xF8;
    case 0xC7:
      if (modrmByte == 0xF8) flags = (flags & ~kImmZ) | kRelZ;  // xbegin
      return reg == 0 || modrmByte == 0xF8;
    case 0xF6: if (reg < 2) flags |= kImm8; return true;
    case 0xF7: if (reg < 2) flags |= kImmZ; return true;
    case 0xFE: return reg < 2;
    case 0xFF: return reg != 7 && !(mod == 3 && (reg == 3 || reg == 5));
    case 0x0F00: return reg < 6;
    case 0x0F01: return mod != 3 || Valid0F01Register(modrmByte, m64);
    case 0x0F71: case 0x0F72: return mod == 3 && (reg == 2 || reg == 4 || reg == 6);
    case 0x0F73: return mod == 3 && (reg == 2 || reg == 6 || ((reg == 3 || reg == 7) && px.opsize));
    case 0x0FAE: return mod != 3 || reg >= 5 || px.f3;
    case 0x0FB8: return px.f3;
    case 0x0F50: case 0x0FC5: case 0x0FD7: case 0x0FF7: return mod == 3;  // register sources only
    case 0x0FBA: return reg >= 4;
    case 0x0FC7:
      if (mod == 3) return reg >= 6;
      return reg != 0 && reg != 2;
    default: return true;
  }
}

void ClearBranch(InstructionFacts& f) {
  f.call = f.jump = f.conditional = f.enlargeable = f.hasTarget = false;
  f.target = f.targetField = f.targetCell = 0;
  f.targetSize = 0;
}

// Which of the prefixes that select an SSE form is in force: F3 or F2 (the last of them)
// over 66 over none; as a bit: 1 none, 2 66, 4 F3, 8 F2.
uint8_t MandatoryPrefix(const Prefixes& px) {
  return px.rep == 0xF3 ? 4 : px.rep == 0xF2 ? 8 : px.opsize ? 2 : 1;
}

// The prefixes (none, 66, F3, F2) that select a defined form of the SSE opcodes of the
// 0F map; the others are undefined. 0 for opcodes without such a rule.
uint8_t SsePrefixForms(uint8_t op) {
  constexpr uint8_t N = 1, P66 = 2, F3 = 4, F2 = 8, All = 15;
  switch (op) {
    case 0x10: case 0x11: case 0x12: case 0x2A: case 0x2C: case 0x2D: case 0x51: case 0x58:
    case 0x59: case 0x5A: case 0x5C: case 0x5D: case 0x5E: case 0x5F: case 0x70: case 0xC2:
      return All;
    case 0x16: case 0x5B: case 0x6F: case 0x7E: case 0x7F: return N | P66 | F3;
    case 0x52: case 0x53: return N | F3;
    case 0x6C: case 0x6D: return P66;
    case 0x7C: case 0x7D: case 0xD0: return P66 | F2;
    case 0xD6: case 0xE6: return P66 | F3 | F2;
    case 0xF0: return F2;
    case 0x77: case 0xC3: return N;
    default:
      if ((op >= 0x13 && op <= 0x17) || (op >= 0x28 && op <= 0x2F) || (op >= 0x50 && op <= 0x57) ||
          (op >= 0x60 && op <= 0x76) || (op >= 0xC4 && op <= 0xC6) || (op >= 0xD1 && op <= 0xFE))
        return N | P66;
      return 0;
  }
}

// The same for the three-byte maps.
uint8_t ThreeBytePrefixForms(bool map38, uint8_t op) {
  constexpr uint8_t N = 1, P66 = 2, F3 = 4, F2 = 8;
  if (map38) {
    if (op <= 0x0B || (op >= 0x1C && op <= 0x1E)) return N | P66;  // SSSE3, also on MMX registers
    if (op >= 0xC8 && op <= 0xCD) return N;
    if (op == 0xF0 || op == 0xF1) return N | P66 | F2;
    if (op == 0xF6) return N | P66 | F3;
    if (op == 0xF8) return P66 | F3 | F2;
    if (op == 0xF9) return N;
    if (op == 0xFA || op == 0xFB) return F3;
    if (op == 0xFC) return N | P66 | F3 | F2;
    return P66;
  }
  if (op == 0x0F) return N | P66;
  if (op == 0xCC) return N;
  if (op == 0xF0) return F3 | F2;
  return P66;
}

// x87 forms the manuals leave undefined: the memory forms D9 /1, DB /4, DB /6, DD /5, and
// the ends of some register rows.
bool ReservedX87(uint8_t op, uint8_t modrm) {
  const uint8_t reg = modrm >> 3 & 7;
  if ((modrm >> 6) != 3)
    return (op == 0xD9 && reg == 1) || (op == 0xDB && (reg == 4 || reg == 6)) || (op == 0xDD && reg == 5);
  return (op == 0xDA && modrm >= 0xEA) || (op == 0xDB && ((modrm >= 0xE5 && modrm <= 0xE7) || modrm >= 0xF8)) ||
         (op == 0xDD && modrm >= 0xF0) || (op == 0xDF && modrm >= 0xF8);
}

bool EvexImm8Map1(uint8_t op) {
  return (op >= 0x70 && op <= 0x73) || op == 0xC2 || (op >= 0xC4 && op <= 0xC6);
}

}  // namespace

InstructionFacts DecodeBytes(const uint8_t* p, size_t available, uint64_t address,
                             CodeMode mode) {
  InstructionFacts f;
  f.start = address;
  const bool m64 = mode == CodeMode::Bits64;
  const size_t limit = std::min<size_t>(available, kMaxInstructionLength);
  size_t i = 0;
  Prefixes px;

  while (true) {
    if (i >= limit) return f;
    uint8_t b = p[i];
    if (m64 && (b & 0xF0) == 0x40) {
      px.rex = b;
      ++i;
      continue;
    }
    if (!(kOneByteMap[b] & kPrefix)) break;
    px.rex = 0;  // a REX prefix counts only right before the opcode
    switch (b) {
      case 0x66: px.opsize = true; break;
      case 0x67: px.adsize = true; break;
      case 0xF0: px.lock = true; break;
      case 0xF2: px.f2 = true; px.rep = b; break;
      case 0xF3: px.f3 = true; px.rep = b; break;
      default: px.segment = b; break;
    }
    ++i;
  }

  uint8_t b = p[i++];
  uint32_t opcode = b;
  uint16_t flags = 0;
  int vexRegister = -1;
  bool wide = px.rex & 8;

  const bool vexLike = (b == 0xC4 || b == 0xC5 || b == 0x62) &&
                       (m64 || (i < limit && (p[i] & 0xC0) == 0xC0));
  if (vexLike) {
    if (px.rex || px.opsize || px.rep || px.lock) return f;
    if (b == 0xC5) {
      if (i + 1 >= limit) return f;
      uint8_t v1 = p[i++];
      px.rex = (v1 & 0x80) ? 0 : 4;
      vexRegister = (~v1 >> 3) & 15;
      px.opsize = (v1 & 3) == 1, px.f3 = (v1 & 3) == 2, px.f2 = (v1 & 3) == 3;
      uint8_t op = p[i++];
      opcode = 0x0F00 | op;
      flags = kVexMap1[op];
      f.encoding = OpcodeEncoding::Vex;
    } else if (b == 0xC4) {
      if (i + 2 >= limit) return f;
      uint8_t v1 = p[i++], v2 = p[i++];
      px.rex = uint8_t(((v1 & 0x80) ? 0 : 4) | ((v1 & 0x40) ? 0 : 2) | ((v1 & 0x20) ? 0 : 1));
      wide = v2 & 0x80;
      vexRegister = (~v2 >> 3) & 15;
      px.opsize = (v2 & 3) == 1, px.f3 = (v2 & 3) == 2, px.f2 = (v2 & 3) == 3;
      uint8_t op = p[i++];
      switch (v1 & 0x1F) {
        case 1: opcode = 0x0F00 | op; flags = kVexMap1[op]; break;
        case 2: opcode = 0x0F3800 | op; flags = kVexMap2[op]; break;
        case 3: opcode = 0x0F3A00 | op; flags = kVexMap3[op]; break;
        default: return f;
      }
      f.encoding = OpcodeEncoding::Vex;
    } else {
      if (i + 3 >= limit) return f;
      uint8_t p0 = p[i++], p1 = p[i++], p2 = p[i++];
      if ((p0 & 0x08) || !(p1 & 0x04)) return f;
      px.rex = uint8_t(((p0 & 0x80) ? 0 : 4) | ((p0 & 0x40) ? 0 : 2) | ((p0 & 0x20) ? 0 : 1));
      wide = p1 & 0x80;
      vexRegister = ((~p1 >> 3) & 15) | ((p2 & 0x08) ? 0 : 16);
      px.opsize = (p1 & 3) == 1, px.f3 = (p1 & 3) == 2, px.f2 = (p1 & 3) == 3;
      uint8_t op = p[i++];
      switch (p0 & 7) {
        case 1:
          opcode = 0x0F00 | op;
          flags = op == 0x77 ? uint16_t(kInvalid) : uint16_t(kModRm | (EvexImm8Map1(op) ? kImm8 : 0));
          if (kVexMap1[op] & kInvalid) flags = kInvalid;
          break;
        case 2: opcode = 0x0F3800 | op; flags = kModRm; break;
        case 3: opcode = 0x0F3A00 | op; flags = kModRm | kImm8; break;
        case 5: opcode = 0x0500 | op; flags = kModRm; break;
        case 6: opcode = 0x0600 | op; flags = kModRm; break;
        default: return f;
      }
      f.encoding = OpcodeEncoding::Evex;
    }
    if (!m64) vexRegister &= 7;
  } else if (b == 0x0F) {
    if (i >= limit) return f;
    uint8_t c = p[i++];
    if (c == 0x38 || c == 0x3A) {
      if (i >= limit) return f;
      uint8_t op = p[i++];
      opcode = (c == 0x38 ? 0x0F3800u : 0x0F3A00u) | op;
      flags = (c == 0x38 ? kMap0F38 : kMap0F3A)[op];
      if (!(ThreeBytePrefixForms(c == 0x38, op) & MandatoryPrefix(px))) return f;
    } else {
      opcode = 0x0F00 | c;
      flags = kTwoByteMap[c];
      const uint8_t forms = SsePrefixForms(c);
      if (forms && !(forms & MandatoryPrefix(px))) return f;
    }
  } else {
    flags = kOneByteMap[b];
  }

  if ((flags & kInvalid) || (m64 && (flags & kInvalid64)) || (!m64 && (flags & kInvalid32)))
    return f;

  const int opSize = m64 ? (wide ? 8 : (px.opsize ? 2 : 4)) : (px.opsize ? 2 : 4);
  const int adSize = m64 ? (px.adsize ? 4 : 8) : (px.adsize ? 2 : 4);
  const uint8_t rexR = px.rex >> 2 & 1, rexX = px.rex >> 1 & 1, rexB = px.rex & 1;

  ModRmOperand& m = f.modrm;
  if (flags & kModRm) {
    if (i >= limit) return f;
    const uint8_t modrmByte = p[i++];
    if (f.encoding == OpcodeEncoding::Legacy &&
        (!CheckGroup(opcode, modrmByte, px, m64, flags) || (opcode <= 0xFF && ReservedX87(uint8_t(opcode), modrmByte))))
      return f;
    m.present = true;
    m.mod = modrmByte >> 6;
    m.reg = uint8_t((modrmByte >> 3 & 7) | rexR << 3);
    const uint8_t rmLow = modrmByte & 7;
    m.rm = uint8_t(rmLow | rexB << 3);
    if (m.mod == 3 || (flags & kRegOnly)) {
      if ((flags & kMemOnly) && !(flags & kRegOnly)) return f;
    } else {
      m.memory = true;
      int dispBytes = 0;
      if (adSize == 2) {
        static const int8_t kBase16[8] = {3, 3, 5, 5, 6, 7, 5, 3};
        static const int8_t kIndex16[8] = {6, 7, 6, 7, -1, -1, -1, -1};
        m.base = kBase16[rmLow];
        m.index = kIndex16[rmLow];
        if (m.mod == 0 && rmLow == 6) m.base = -1, dispBytes = 2;
        else dispBytes = m.mod == 1 ? 1 : m.mod == 2 ? 2 : 0;
      } else {
        if (rmLow == 4) {
          if (i >= limit) return f;
          const uint8_t sib = p[i++];
          m.scale = uint8_t(1 << (sib >> 6));
          const int index = (sib >> 3 & 7) | rexX << 3;
          m.index = int8_t(index == 4 ? -1 : index);
          if ((sib & 7) == 5 && m.mod == 0) m.base = -1, dispBytes = 4;
          else m.base = int8_t((sib & 7) | rexB << 3);
        } else if (rmLow == 5 && m.mod == 0) {
          dispBytes = 4;
          m.ripRelative = m64;
        } else {
          m.base = int8_t(m.rm);
        }
        if (m.mod == 1) dispBytes = 1;
        if (m.mod == 2) dispBytes = 4;
      }
      if (i + dispBytes > limit) return f;
      m.displacement = SignExtend(ReadLittle(p + i, dispBytes), dispBytes);
      i += dispBytes;
    }
  }

  int immBytes = 0, relBytes = 0;
  if (flags & kImm8) immBytes = 1;
  if (flags & kImm16) immBytes = 2;
  if (flags & kImmZ) immBytes = opSize == 2 ? 2 : 4;
  if (flags & kImmV) immBytes = opSize;
  if (flags & kImmEnter) immBytes = 3;
  if (flags & kImmFar) immBytes = 2 + (opSize == 2 ? 2 : 4);
  if (flags & kMoffs) immBytes = adSize;
  if (flags & kRel8) relBytes = 1;
  // Near branches in 64-bit mode ignore the operand-size prefix (as Intel's processors do).
  if (flags & kRelZ) relBytes = (!m64 && px.opsize) ? 2 : 4;
  if (i + immBytes + relBytes > limit) return f;
  if (immBytes) {
    const int first = (flags & kImmEnter) ? 2 : std::min(immBytes, 8);
    f.immediate = SignExtend(ReadLittle(p + i, first), first);
    f.immediateSize = uint8_t(immBytes);
  }
  const size_t fieldOffset = i + immBytes;
  i += immBytes + relBytes;

  f.valid = true;
  f.opcode = opcode;
  f.next = address + i;
  f.operandSize = uint8_t(opSize);
  f.addressSize = uint8_t(adSize);
  f.rex = px.rex != 0 && f.encoding == OpcodeEncoding::Legacy;
  f.opcodeRegister = uint8_t((b & 7) | rexB << 3);
  f.vexRegister = int8_t(vexRegister);
  f.prefix66 = px.opsize, f.prefixF2 = px.f2, f.prefixF3 = px.f3;
  f.segment = px.segment;
  if (!m64) f.next = Truncate(f.next, 4);

  if (f.encoding != OpcodeEncoding::Legacy) return f;

  if (relBytes) {
    const bool xbegin = opcode == 0xC7;
    f.call = opcode == 0xE8;
    f.jump = !f.call && !xbegin;
    f.conditional = (opcode >= 0x70 && opcode <= 0x7F) || (opcode >= 0x0F80 && opcode <= 0x0F8F) ||
                    (opcode >= 0xE0 && opcode <= 0xE3);
    f.enlargeable = opcode == 0xEB || (opcode >= 0x70 && opcode <= 0x7F);
    if (!xbegin) {
      uint64_t target = f.next + SignExtend(ReadLittle(p + fieldOffset, relBytes), relBytes);
      if (!m64) target = Truncate(target, relBytes == 2 ? 2 : 4);
      f.hasTarget = true;
      f.target = target;
      f.targetField = address + fieldOffset;
      f.targetSize = uint8_t(relBytes);
      if (target == f.next) ClearBranch(f);  // a call that only fetches its own address
    }
  } else if (opcode == 0xFF && m.reg % 8 >= 2 && m.reg % 8 <= 5) {
    const int kind = m.reg % 8;
    f.call = kind <= 3;
    f.jump = !f.call;
    const bool far = kind == 3 || kind == 5;
    const int pointer = m64 ? 8 : (px.opsize ? 2 : 4);
    f.targetSize = uint8_t(far ? pointer + 2 : pointer);
    uint64_t cell;
    if (m.memory && EffectiveAddress(f, nullptr, cell)) f.targetCell = cell;
  } else if (opcode == 0x9A || opcode == 0xEA) {
    f.call = opcode == 0x9A;
    f.jump = !f.call;
  }

  switch (opcode) {
    case 0xC2: case 0xC3: case 0xCA: case 0xCB: case 0xCF: f.flowEnd = FlowEnd::Return; break;
    case 0xCC: case 0xF4: case 0x0F0B: case 0x0FB9: case 0x0FFF: f.flowEnd = FlowEnd::Stop; break;
    default: break;
  }
  return f;
}

bool EffectiveAddress(const InstructionFacts& facts, const RegisterState* registers,
                      uint64_t& address) {
  const ModRmOperand& m = facts.modrm;
  if (!m.memory || facts.segment == 0x64 || facts.segment == 0x65) return false;
  uint64_t ea = uint64_t(m.displacement);
  if (m.ripRelative) {
    ea += facts.next;
  } else {
    for (int reg : {int(m.base), int(m.index)}) {
      if (reg < 0) continue;
      if (!registers || !registers->Known(reg)) return false;
    }
    if (m.base >= 0) ea += registers->value[m.base];
    if (m.index >= 0) ea += registers->value[m.index] * m.scale;
  }
  address = Truncate(ea, facts.addressSize);
  return true;
}

InstructionFacts DecodeInstruction(uint64_t address, const MemoryReader& reader, CodeMode mode,
                                   const RegisterState* registers) {
  uint8_t bytes[kMaxInstructionLength];
  const size_t available = reader.Read(uintptr_t(address), bytes, sizeof bytes);
  InstructionFacts f = DecodeBytes(bytes, available, address, mode);
  if (!f.valid || !(f.call || f.jump) || f.hasTarget) return f;
  const bool far = f.opcode == 0xFF && (f.modrm.reg % 8 == 3 || f.modrm.reg % 8 == 5);
  if (f.opcode != 0xFF || far) return f;
  const int width = mode == CodeMode::Bits64 ? 8 : (f.prefix66 ? 2 : 4);
  if (f.modrm.memory) {
    uint64_t cell = f.targetCell;
    if (!cell && !EffectiveAddress(f, registers, cell)) return f;
    f.targetCell = cell;
    uint64_t value = 0;
    if (cell && reader.ReadExactly(uintptr_t(cell), &value, size_t(width))) {
      f.hasTarget = true;
      f.target = value;
    }
  } else if (registers && registers->Known(f.modrm.rm)) {
    f.hasTarget = true;
    f.target = Truncate(registers->value[f.modrm.rm], width);
  }
  return f;
}
