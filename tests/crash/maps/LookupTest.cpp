#include <gtest/gtest.h>

#include "crash/maps/MapFile.h"

namespace {

// Code 0x1000-0x2000: UnitA up to 0x1400, UnitB up to 0x1800, then code without a unit.
TMapFile SampleMap() {
  TMapFile map;
  map.fileName = "/opt/brenvoll/BrenvollAdmin";
  map.codeRange = {0x1000, 0x2000};
  map.segments = {{true, true, 0x1000, 0x400, "UnitA"}, {true, true, 0x1400, 0x400, "UnitB"}};
  map.publics = {{true, true, "_Z5firstv", 0x1000}, {true, true, "second", 0x1100}, {true, true, "_Z4lastv", 0x1500}};
  map.lines = {{10, 0x1000}, {11, 0x1010}, {20, 0x1100}, {30, 0x1500}};
  map.loaded = true;
  return map;
}

TEST(LookupTest, PublicAtTakesTheLowerPublicUpToTheEndOfCode) {
  const TMapFile map = SampleMap();
  struct Case {
    const char* label;
    uintptr_t address;
    const char* name;  // nullptr: none
  } cases[] = {
      {"at a public", 0x1000, "_Z5firstv"},
      {"gap between two publics", 0x10ff, "_Z5firstv"},
      {"after the last public", 0x1fff, "_Z4lastv"},
      {"at the end of the code range", 0x2000, nullptr},
      {"before the first public", 0xfff, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const TMfPublic symbol = PublicAt(map, c.address);
    EXPECT_EQ(symbol.valid, c.name != nullptr) << c.label;
    if (c.name) EXPECT_EQ(symbol.name, c.name) << c.label;
  }
}

TEST(LookupTest, LineAtStaysInsideTheSegmentOfTheAddress) {
  const TMapFile map = SampleMap();
  struct Case {
    const char* label;
    uintptr_t address;
    int line;
    uintptr_t end;
  } cases[] = {
      {"at an entry", 0x1000, 10, 0x1010},
      {"between entries", 0x100f, 10, 0x1010},
      {"nearest entry in another segment", 0x1450, 0, 0},
      {"last entry ends with its segment", 0x1505, 30, 0x1800},
      {"code without a segment", 0x1900, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    uintptr_t end = 0;
    EXPECT_EQ(LineAt(map, c.address, &end), c.line) << c.label;
    EXPECT_EQ(end, c.end) << c.label;
  }
}

TEST(LookupTest, DescribeAddressWritesModuleUnitLineAndFunction) {
  TMapFile far = SampleMap();
  for (auto* items : {&far.codeRange.start, &far.codeRange.end}) *items += 0x7f0000000000;
  for (auto& s : far.segments) s.start += 0x7f0000000000;
  for (auto& p : far.publics) p.address += 0x7f0000000000;
  for (auto& l : far.lines) l.address += 0x7f0000000000;
  const TMapFile sample = SampleMap();
  TMapFile unloaded;
  struct Case {
    const char* label;
    const TMapFile& map;
    uintptr_t address;
    const char* text;
  } cases[] = {
      {"decorated function with a line", sample, 0x1012, "00001012 BrenvollAdmin UnitA 11 first()"},
      {"plain name", sample, 0x1100, "00001100 BrenvollAdmin UnitA 20 second"},
      {"no line", sample, 0x1450, "00001450 BrenvollAdmin UnitB second"},
      {"a 64-bit address is never cut", far, 0x7f0000001012, "7f0000001012 BrenvollAdmin UnitA 11 first()"},
      {"no map", unloaded, 0x1012, "00001012 ???"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(DescribeAddressIn(c.map, c.address), c.text) << c.label;
  }
}

TEST(LookupTest, AddressesOutsideEveryModuleAreUnknown) {
  EXPECT_EQ(DescribeAddress(0x10), "00000010 ???");
  TAddressInfo info;
  EXPECT_FALSE(LookupAddress(0x10, info));
  EXPECT_EQ(PublicNameAt(0x10), "");
  EXPECT_FALSE(GetModuleMap(0x10)->loaded);
}

TEST(LookupTest, LineRangeAtAsksAgainOnlyOutsideThePreviousRange) {
  // 0x15 lies in no module: a real lookup would find no line.
  TLineRange range{{0x10, 0x20}, 99};
  EXPECT_EQ(LineRangeAt(0x15, range), 99);
  EXPECT_EQ(LineRangeAt(0x25, range), 0);
  EXPECT_FALSE(range.addresses.Contains(0x25));
  EXPECT_EQ(range.line, 0);
}

}  // namespace
