#include "SampleFunctions.h"

#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace {
volatile int sink;
}

extern "C" {

__attribute__((noinline)) int SampleCase0(int v) { sink = v + 10;
  return v + 10;
}
__attribute__((noinline)) int SampleCase1(int v) { sink = v + 11;
  return v + 11;
}
__attribute__((noinline)) int SampleCase2(int v) { sink = v + 12;
  return v + 12;
}
__attribute__((noinline)) int SampleCase3(int v) { sink = v + 13;
  return v + 13;
}
__attribute__((noinline)) int SampleCase4(int v) { sink = v + 14;
  return v + 14;
}
__attribute__((noinline)) int SampleCase5(int v) { sink = v + 15;
  return v + 15;
}
__attribute__((noinline)) int SampleCase6(int v) { sink = v + 16;
  return v + 16;
}

__attribute__((noinline)) int SampleSwitch(int selector) {
  int result;
  switch (selector) {
    case 0: result = SampleCase0(selector) * 3; break;
    case 1: result = SampleCase1(selector) * 5; break;
    case 2: result = SampleCase2(selector) * 7; break;
    case 3: result = SampleCase3(selector) * 11; break;
    case 4: result = SampleCase4(selector) * 13; break;
    case 5: result = SampleCase5(selector) * 17; break;
    case 6: result = SampleCase6(selector) * 19; break;
    default: result = -1; break;
  }
  return result + sink;
}

__attribute__((noinline)) int SampleTailTarget(int value) {
  sink = value * 2;
  return value * 2;
}
__attribute__((noinline)) int SampleTailJump(int value) { return SampleTailTarget(value + sink); }

__attribute__((noinline)) void SampleMayThrow(int value) {
  if (value > 0) throw std::runtime_error("sample");
  sink = value;
}
__attribute__((noinline)) void SampleHandler() { sink = 99; }
__attribute__((noinline)) void SampleTryCatch(int value) {
  try {
    SampleMayThrow(value);
  } catch (...) {
    SampleHandler();
  }
}

__attribute__((noinline)) int SampleCallsImport() {
  int parent = getppid();
  return parent + sink;
}

__attribute__((noinline)) void SampleEndsInAbort(volatile int* flag) {
  *flag = 1;
  abort();
}
}
