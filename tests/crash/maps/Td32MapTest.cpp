#include "crash/maps/Td32Map.h"

#include <gtest/gtest.h>

#include "Td32Writer.h"

namespace {

constexpr uintptr_t kCode = 0x400000, kData = 0x600000;

using W = Td32Writer;

std::string SampleTd32(const char* signature = "FB09") {
  Td32Writer td32;
  td32.Add(0x130, Names({"Proj\\Unit1.pas", "Unit1.pas", "_Z5firstv", "Counter", "@$xp$Hidden", "Unit1",
                         "_Z6secondv", "Src\\Unit2.pas"}));
  std::string module = W::U16(0) + W::U16(0) + W::U16(3) + W::U16(0) + W::U32(1) + std::string(16, '\0');
  module += W::U16(0) + W::U16(1) + W::U32(0x100) + W::U32(0x80);
  module += W::U16(0) + W::U16(2) + W::U32(0x20) + W::U32(0x40);
  module += W::U16(0) + W::U16(1) + W::U32(0x500) + W::U32(0);  // empty: skipped
  td32.Add(0x120, module);

  // Two files, each with one line table; file records and tables follow the offsets.
  const std::string table1 = LineTable({{0x100, 5}, {0x110, 6}, {0x120, 7}});
  const std::string table2 = LineTable({{0x200, 50}, {0x240, 51}});
  const uint32_t record1 = 4 + 8, record2 = record1 + 10, tables = record2 + 10;
  std::string source = W::U16(2) + W::U16(0) + W::U32(record1) + W::U32(record2);
  source += W::U16(1) + W::U32(2) + W::U32(tables);
  source += W::U16(1) + W::U32(8) + W::U32(tables + uint32_t(table1.size()));
  source += table1 + table2;
  td32.Add(0x127, source);

  std::string publics(32, '\0');
  publics += Symbol(0x205, 3, 0x104) + Symbol(0x202, 4, 0x24) + Symbol(0x20, 6, 0x100) + Symbol(0x205, 5, 0x108) +
             Symbol(0x205, 0, 0x10c) + Symbol(0x999, 3, 0x110) + Symbol(0x205, 7, 0x260);
  td32.Add(0x129, publics);
  // Global symbols are read only when there are no global publics.
  td32.Add(0x125, std::string(4, '\0') + Symbol(0x205, 3, 0x300));
  return td32.Build(signature);
}

TMapFile EmptyMap() {
  TMapFile map;
  map.codeRange = {kCode, kCode + 0x1000};
  map.dataRange = {kData, kData + 0x1000};
  return map;
}

TEST(Td32MapTest, ReadsSegmentsLinesAndPublics) {
  for (const char* signature : {"FB09", "FB0A"}) {
    SCOPED_TRACE(signature);
    TMapFile map = EmptyMap();
    ASSERT_TRUE(ReadTd32(SampleTd32(signature), map));

    struct SegmentCase {
      const char* label;
      bool code;
      uintptr_t address;
      const char* unit;
    } segments[] = {
        {"module segment, reaching the next segment", true, kCode + 0x1f0, "Unit1"},
        {"line table segment of the second file", true, kCode + 0x230, "Unit2"},
        {"extended up to a public beyond it", true, kCode + 0x260, "Unit2"},
        {"beyond the last public", true, kCode + 0x261, nullptr},
        {"before the first segment", true, kCode + 0xff, nullptr},
        {"data segment", false, kData + 0x30, "Unit1"},
    };
    for (const auto& c : segments) {
      SCOPED_TRACE(c.label);
      const TMfSegment segment = SegmentAt(map, c.code, c.address);
      EXPECT_EQ(segment.valid, c.unit != nullptr) << c.label;
      if (c.unit) EXPECT_EQ(segment.unit, c.unit) << c.label;
    }

    EXPECT_EQ(LineAt(map, kCode + 0x105), 5);
    EXPECT_EQ(LineAt(map, kCode + 0x125), 7);
    EXPECT_EQ(LineAt(map, kCode + 0x245), 51);

    struct PublicCase {
      const char* name;
      bool code;
      uintptr_t address;
    } publics[] = {
        {"initialization", true, kCode + 0x100},
        {"first()", true, kCode + 0x104},
        {"second()", true, kCode + 0x260},
        {"Counter", false, kData + 0x24},
    };
    ASSERT_EQ(map.publics.size(), std::size(publics));  // helper, nameless and unknown records skipped
    for (size_t i = 0; i < std::size(publics); ++i) {
      SCOPED_TRACE(publics[i].name);
      EXPECT_EQ(map.publics[i].name, publics[i].name);
      EXPECT_EQ(map.publics[i].code, publics[i].code);
      EXPECT_EQ(map.publics[i].address, publics[i].address);
    }
  }
}

// A line table starting where its module's segment starts covers less of it; the unit
// still reaches the end of the module's segment.
TEST(Td32MapTest, ShorterSegmentAtTheSameStartKeepsTheLongerReach) {
  Td32Writer td32;
  td32.Add(0x130, Names({"Unit3.pas"}));
  td32.Add(0x120, W::U16(0) + W::U16(0) + W::U16(1) + W::U16(0) + W::U32(1) + std::string(16, '\0') + W::U16(0) +
                      W::U16(1) + W::U32(0x100) + W::U32(0x80));
  td32.Add(0x127, W::U16(1) + W::U16(0) + W::U32(8) + W::U16(1) + W::U32(1) + W::U32(18) +
                      LineTable({{0x100, 1}, {0x110, 2}}));
  TMapFile map = EmptyMap();
  ASSERT_TRUE(ReadTd32(td32.Build(), map));
  EXPECT_EQ(SegmentAt(map, true, kCode + 0x17f).unit, "Unit3");
  EXPECT_FALSE(SegmentAt(map, true, kCode + 0x180).valid);
}

TEST(Td32MapTest, CorruptOrCutDataYieldsNothingOrPart) {
  const std::string good = SampleTd32();
  std::string looping = good;
  // The second directory's "next" pointing back at the first one.
  const uint32_t first = uint8_t(good[4]) | uint8_t(good[5]) << 8;
  const size_t secondNext = good.size() - (12 + 3 * 12) + 8;
  looping.replace(secondNext, 4, W::U32(first));
  struct Case {
    const char* label;
    std::string data;
    bool yields;
  } cases[] = {
      {"wrong signature", "FB08" + good.substr(4), false},
      {"directory beyond the data", good.substr(0, 4) + W::U32(0xfffffff0) + good.substr(8), false},
      {"directory chain loops", looping, true},
      {"empty", "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TMapFile map = EmptyMap();
    EXPECT_EQ(ReadTd32(c.data, map), c.yields) << c.label;
  }
  for (size_t length = 0; length < good.size(); ++length) {
    TMapFile map = EmptyMap();
    ReadTd32(good.substr(0, length), map);  // must neither crash nor read past the end
  }
}

}  // namespace
