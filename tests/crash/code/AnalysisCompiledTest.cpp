// The analysis of functions compiled into this program, read live through GuardedRead.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "SampleFunctions.h"
#include "crash/code/FunctionAnalysis.h"

namespace {

uint64_t AddressOf(const void* function) { return reinterpret_cast<uint64_t>(function); }

bool CallsTarget(const TFunctionInfo& info, const void* target, bool call = true) {
  return std::any_of(info.callSites.begin(), info.callSites.end(), [&](const TCallSite& s) {
    return s.call == call && s.target == AddressOf(target);
  });
}

bool Covers(const TFunctionInfo& info, uint64_t address) {
  return std::any_of(info.areas.begin(), info.areas.end(),
                     [&](const TCodeArea& a) { return !a.data && a.start <= address && address <= a.end; });
}

TFunctionInfo Analyze(const void* function) {
  const TReadableRanges snapshot = ReadableRangesSnapshot();
  return AnalyzeFunction(reinterpret_cast<uintptr_t>(function), &snapshot);
}

TEST(AnalyzeCompiledFunction, SwitchReachesEveryCaseThroughItsTable) {
  const TFunctionInfo info = Analyze(reinterpret_cast<const void*>(&SampleSwitch));
  ASSERT_TRUE(info.valid) << info.errorText;
  const void* cases[] = {reinterpret_cast<const void*>(&SampleCase0), reinterpret_cast<const void*>(&SampleCase1),
                         reinterpret_cast<const void*>(&SampleCase2), reinterpret_cast<const void*>(&SampleCase3),
                         reinterpret_cast<const void*>(&SampleCase4), reinterpret_cast<const void*>(&SampleCase5),
                         reinterpret_cast<const void*>(&SampleCase6)};
  for (int k = 0; k < 7; ++k) {
    SCOPED_TRACE(k);
    EXPECT_TRUE(CallsTarget(info, cases[k])) << "case " << k;
  }
  EXPECT_TRUE(info.unresolved.empty()) << "the table jump is not resolved";
}

TEST(AnalyzeCompiledFunction, TailJumpIsACallSite) {
  const TFunctionInfo info = Analyze(reinterpret_cast<const void*>(&SampleTailJump));
  ASSERT_TRUE(info.valid) << info.errorText;
  EXPECT_TRUE(CallsTarget(info, reinterpret_cast<const void*>(&SampleTailTarget), false));
  EXPECT_FALSE(Covers(info, AddressOf(reinterpret_cast<const void*>(&SampleTailTarget))))
      << "the tail jump's target was walked as part of the function";
}

TEST(AnalyzeCompiledFunction, CatchBlockIsReachedThroughItsLandingPad) {
  const TFunctionInfo info = Analyze(reinterpret_cast<const void*>(&SampleTryCatch));
  ASSERT_TRUE(info.valid) << info.errorText;
  EXPECT_TRUE(CallsTarget(info, reinterpret_cast<const void*>(&SampleMayThrow)));
  EXPECT_TRUE(CallsTarget(info, reinterpret_cast<const void*>(&SampleHandler)));
}

TEST(AnalyzeCompiledFunction, CallThroughThePltGoesToTheImport) {
  getppid();  // binds the PLT slot
  const TFunctionInfo info = Analyze(reinterpret_cast<const void*>(&SampleCallsImport));
  ASSERT_TRUE(info.valid) << info.errorText;
  EXPECT_TRUE(CallsTarget(info, dlsym(RTLD_DEFAULT, "getppid")));
}

TEST(AnalyzeCompiledFunction, CallToANonReturningRoutineEndsTheWalk) {
  const TFunctionInfo info = Analyze(reinterpret_cast<const void*>(&SampleEndsInAbort));
  ASSERT_TRUE(info.valid) << info.errorText;
  ASSERT_EQ(info.callSites.size(), 1u);
  EXPECT_FALSE(Covers(info, info.callSites[0].next)) << "the walk went on after abort()";
}

TEST(DecodeLiveInstruction, FollowsOwnCodeToItsTailJump) {
  const TReadableRanges snapshot = ReadableRangesSnapshot();
  uintptr_t at = reinterpret_cast<uintptr_t>(&SampleTailJump);
  InstructionFacts f;
  for (int k = 0; k < 16 && !(f = DecodeInstruction(at, &snapshot)).jump; ++k) {
    ASSERT_TRUE(f.valid);
    at = uintptr_t(f.next);
  }
  EXPECT_EQ(f.target, AddressOf(reinterpret_cast<const void*>(&SampleTailTarget)));
  EXPECT_FALSE(DecodeInstruction(uintptr_t(8), &snapshot).valid);
}

TEST(AnalyzeCompiledFunction, EntryOutsideMemoryFailsWithInvalidParameter) {
  const TReadableRanges snapshot = ReadableRangesSnapshot();
  const TFunctionInfo info = AnalyzeFunction(uintptr_t(8), &snapshot);
  EXPECT_FALSE(info.valid);
  EXPECT_EQ(info.errorCode, EINVAL);
  EXPECT_EQ(info.errorText, std::strerror(EINVAL));
  EXPECT_EQ(info.errorAddress, 8u);
}

}  // namespace
