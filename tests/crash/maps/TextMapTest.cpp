#include "crash/maps/TextMap.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

constexpr uintptr_t kCode = 0x10000, kData = 0x20000;

class TextMapTest : public ::testing::Test {
protected:
  void SetUp() override {
    map.codeRange = {kCode, kCode + 0x1000};
    map.dataRange = {kData, kData + 0x100};
    ASSERT_TRUE(ReadTextMap(TempDir::Read(BRENVOLL_TEST_DATA "/crash/sample.map"), map));
  }
  TMapFile map;
};

TEST_F(TextMapTest, ReadsSegmentsOfCodeAndData) {
  struct Case {
    const char* label;
    bool code;
    uintptr_t address;
    const char* unit;  // nullptr: no segment
  } cases[] = {
      {"first code segment", true, kCode + 0x50, "System"},
      {"extension dropped", true, kCode + 0x150, "Unit1"},
      {"folder and upper-case extension dropped", true, kCode + 0x350, "Unit2"},
      {"data segment", false, kData + 0x10, "Unit1"},
      {"segment 3 ignored, short line skipped", true, kCode + 0x400, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    const TMfSegment segment = SegmentAt(map, c.code, c.address);
    EXPECT_EQ(segment.valid, c.unit != nullptr) << c.label;
    if (c.unit) EXPECT_EQ(segment.unit, c.unit) << c.label;
  }
  EXPECT_EQ(map.segments.size(), 4u);
}

TEST_F(TextMapTest, NamesPublicsByValue) {
  struct Case {
    const char* label;
    uintptr_t address;
    bool code;
    const char* name;
  } cases[] = {
      {"named like its unit", kCode + 0x10, true, "initialization"},
      {"plain name", kCode + 0x100, true, "TForm1.Button1Click"},
      {"named like the unit, any segment", kCode + 0x180, true, "initialization"},
      {"decorated name undecorated", kCode + 0x300, true, "foo(int)"},
      {"trailing parenthesis dropped", kCode + 0x380, true, "Trailing"},
      {"data public", kData + 0x10, false, "DataItem"},
  };
  ASSERT_EQ(map.publics.size(), std::size(cases));  // helper name and segment 3 skipped
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].label);
    EXPECT_EQ(map.publics[i].address, cases[i].address) << cases[i].label;
    EXPECT_EQ(map.publics[i].code, cases[i].code) << cases[i].label;
    EXPECT_EQ(map.publics[i].name, cases[i].name) << cases[i].label;
  }
}

TEST_F(TextMapTest, ReadsLineNumbersInRisingOrderOnly) {
  struct Case {
    const char* label;
    uintptr_t address;
    int line;
  } cases[] = {
      {"first entry", kCode + 0x105, 10},
      {"entry not above the previous one ignored", kCode + 0x10c, 10},
      {"data group skipped, next group read", kCode + 0x125, 14},
      {"short group ends its line", kCode + 0x135, 14},
      {"next line read", kCode + 0x145, 20},
      {"group without a blank ends its line", kCode + 0x175, 21},
      {"last entry of a segment", kCode + 0x2f5, 30},
      {"nearest entry in another segment", kCode + 0x310, 0},
      {"second block", kCode + 0x325, 40},
      {"before every entry", kCode + 0x50, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(LineAt(map, c.address), c.line) << c.label;
  }
  EXPECT_EQ(map.entryPoint, kCode + 0x180);
}

TEST(TextMapReaderTest, TextWithoutSectionsYieldsNothing) {
  for (const char* text : {"", "\n\n", "Detailed map of segments\n\n 0001:00000000 short\n", "garbage\x01\xff"}) {
    TMapFile map;
    EXPECT_FALSE(ReadTextMap(text, map)) << text;
  }
}

}  // namespace
