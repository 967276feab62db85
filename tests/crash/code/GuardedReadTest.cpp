// Guarded reads of memory that cannot be read, and the readable-range snapshot.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "crash/code/GuardedRead.h"

namespace {

// Three pages: readable, no access (a guard page), readable.
class GuardedPages : public ::testing::Test {
protected:
  void SetUp() override {
    page_ = size_t(sysconf(_SC_PAGESIZE));
    void* at = mmap(nullptr, 3 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(at, MAP_FAILED);
    base_ = static_cast<uint8_t*>(at);
    std::memset(base_, 0x5A, 3 * page_);
    ASSERT_EQ(mprotect(base_ + page_, page_, PROT_NONE), 0);
  }
  void TearDown() override { munmap(base_, 3 * page_); }

  int CheckReads() const;
  uintptr_t Address(size_t offset) const { return reinterpret_cast<uintptr_t>(base_) + offset; }

  size_t page_ = 0;
  uint8_t* base_ = nullptr;
};

// The guard page the thread library puts below a thread's stack (0 when none is known).
uintptr_t ThreadStackGuard() {
  pthread_attr_t attributes;
  void* stack = nullptr;
  size_t size = 0, guard = 0;
  if (pthread_getattr_np(pthread_self(), &attributes) != 0) return 0;
  pthread_attr_getstack(&attributes, &stack, &size);
  pthread_attr_getguardsize(&attributes, &guard);
  pthread_attr_destroy(&attributes);
  return guard ? reinterpret_cast<uintptr_t>(stack) - guard : 0;
}

// 0 when every read gives its expected result; 1 to 3 name the failing check.
int GuardedPages::CheckReads() const {
  // An unmapped page: map one and give it back.
  void* gone = mmap(nullptr, page_, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  munmap(gone, page_);
  uintptr_t guard = 0;
  std::thread([&] { guard = ThreadStackGuard(); }).join();  // the stack stays cached, guard and all
  if (guard == 0) return 3;
  uint8_t buffer[16];
  struct {
    const char* label;
    uintptr_t address;
    size_t length;
    bool succeeds;
  } cases[] = {
      {"readable page", Address(0), 16, true},
      {"no-access page", Address(page_), 16, false},
      {"read running into the no-access page", Address(page_ - 8), 16, false},
      {"page after it", Address(2 * page_), 16, true},
      {"unmapped page", reinterpret_cast<uintptr_t>(gone), 16, false},
      {"guard page below a thread's stack", guard, 16, false},
      {"null address", 0, 1, false},
      {"top of the address space", UINTPTR_MAX - 7, 8, false},
  };
  for (const auto& c : cases) {
    if (GuardedRead(c.address, buffer, c.length) != c.succeeds) {
      std::fprintf(stderr, "wrong result for %s\n", c.label);
      return 1;
    }
  }
  return GuardedReadSome(Address(page_ - 8), buffer, 16) == 8 ? 0 : 2;
}

// The reads run in a child process, so that a read that faults fails the test instead of
// ending the test runner.
TEST_F(GuardedPages, FailsWithoutFaulting) {
  EXPECT_EXIT(std::_Exit(CheckReads()), ::testing::ExitedWithCode(0), "");
}

TEST_F(GuardedPages, SnapshotMarksTheGuardPageUnreadable) {
  const TReadableRanges snapshot = ReadableRangesSnapshot();
  ASSERT_FALSE(snapshot.ranges.empty());
  EXPECT_TRUE(snapshot.IsReadable(Address(0)));
  EXPECT_FALSE(snapshot.IsReadable(Address(page_)));
  EXPECT_TRUE(snapshot.IsReadable(Address(2 * page_)));
  EXPECT_TRUE(snapshot.IsReadable(reinterpret_cast<uintptr_t>(&snapshot)));  // the stack
  EXPECT_FALSE(snapshot.IsReadable(0));
  // The ranges cover the address space without gaps.
  uintptr_t expected = 0;
  for (const TReadableRange& r : snapshot.ranges) {
    EXPECT_EQ(r.start, expected);
    expected = r.end;
  }
  EXPECT_EQ(expected, UINTPTR_MAX);

  // With the snapshot the guard page is refused before any copy is tried.
  uint8_t buffer[8];
  EXPECT_FALSE(GuardedRead(Address(page_), buffer, 8, &snapshot));
  EXPECT_TRUE(GuardedRead(Address(0), buffer, 8, &snapshot));
  const TReadableRanges none;  // a snapshot that could not be taken
  EXPECT_FALSE(GuardedRead(Address(0), buffer, 8, &none));
}

TEST(ParseReadableRanges, JoinsNeighboursAndSkipsWhatItCannotRead) {
  const std::string maps =
      "1000-2000 r-xp 00000000 08:01 1 /bin/x\n"
      "2000-3000 r--p 00001000 08:01 1 /bin/x\n"
      "3000-4000 ---p 00000000 00:00 0\n"
      "5000-6000 rw-p 00000000 00:00 0 [heap]\n"
      "this line is not a mapping\n"
      "7000-6000 rw-p 00000000 00:00 0\n"
      "8000-9000 -w-p 00000000 00:00 0";
  const TReadableRanges r = ParseReadableRanges(maps.data(), maps.size());
  struct {
    uintptr_t start, end;
    bool readable;
  } expected[] = {{0, 0x1000, false}, {0x1000, 0x3000, true}, {0x3000, 0x5000, false},
                  {0x5000, 0x6000, true}, {0x6000, UINTPTR_MAX, false}};
  ASSERT_EQ(r.ranges.size(), std::size(expected));
  for (size_t k = 0; k < r.ranges.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(r.ranges[k].start, expected[k].start) << "range " << k;
    EXPECT_EQ(r.ranges[k].end, expected[k].end) << "range " << k;
    EXPECT_EQ(r.ranges[k].readable, expected[k].readable) << "range " << k;
  }
  EXPECT_TRUE(r.IsReadable(0x2FFF));
  EXPECT_FALSE(r.IsReadable(0x3000));
}

}  // namespace
