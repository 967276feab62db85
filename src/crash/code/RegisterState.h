#pragma once
// Values of the general registers known at a point of a function (0 = rax/eax ... 15 =
// r15; 32-bit code uses the first eight).

#include <cstdint>

struct RegisterState {
  uint64_t value[16] = {};
  uint16_t known = 0;  // bit n: value[n] is known

  bool Known(int reg) const { return reg >= 0 && reg < 16 && (known >> reg & 1); }
  void Set(int reg, uint64_t v) {
    value[reg] = v;
    known |= uint16_t(1u << reg);
  }
  void Forget(int reg) {
    if (reg >= 0 && reg < 16) known &= uint16_t(~(1u << reg));
  }
  void ForgetAll() { known = 0; }
  bool operator==(const RegisterState& other) const {
    if (known != other.known) return false;
    for (int r = 0; r < 16; ++r)
      if (Known(r) && value[r] != other.value[r]) return false;
    return true;
  }
};
