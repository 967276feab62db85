#include "crash/maps/PackedMap.h"

#include <gtest/gtest.h>

#include "PackedFixtures.h"

namespace {

constexpr uintptr_t kCode = 0x400000;

// Two segments, three publics (the third 300 bytes on: a wide packed step), three lines
// (one step back in line number), and the entry point.
const std::string kStream = U32(2) + U32(0x10) + U32(0x100) + "\x05" "Alpha" + U32(0x110) + U32(0x400) + "\x04" "Beta" +
                            U32(3) + "\x03one" + U32(0x10) + "\x03two" + "\x20" + "\x05three" + "\x80" + U32(300) +
                            U32(3) + U32(40) + U32(0x10) + "\x02\x08" + std::string("\xfe\x10", 2) +
                            U32(0x30);

TMapFile EmptyMapAtCode() {
  TMapFile map;
  map.codeRange = {kCode, kCode + 0x1000};
  return map;
}

TEST(PackedMapTest, ReadsAMapPackedByTheDocumentedLayout) {
  TMapFile map = EmptyMapAtCode();
  ASSERT_TRUE(ReadPackedMap(HandPacked(kStream, uint32_t(kStream.size()), Crc(kStream)), map));
  ASSERT_EQ(map.segments.size(), 2u);
  EXPECT_EQ(map.segments[1].start, kCode + 0x110);
  EXPECT_EQ(map.segments[1].length, 0x400u);
  EXPECT_EQ(map.segments[1].unit, "Beta");
  EXPECT_TRUE(map.segments[1].code);
  ASSERT_EQ(map.publics.size(), 3u);
  EXPECT_EQ(map.publics[1].address, kCode + 0x30);
  EXPECT_EQ(map.publics[2].name, "three");
  EXPECT_EQ(map.publics[2].address, kCode + 0x30 + 300);
  ASSERT_EQ(map.lines.size(), 3u);
  EXPECT_EQ(map.lines[1].line, 42);
  EXPECT_EQ(map.lines[1].address, kCode + 0x18);
  EXPECT_EQ(map.lines[2].line, 40);
  EXPECT_EQ(map.lines[2].address, kCode + 0x28);
  EXPECT_EQ(map.entryPoint, kCode + 0x30);
}

TEST(PackedMapTest, WhatTheWriterPacksReadsBackTheSame) {
  TMapFile written = EmptyMapAtCode();
  written.segments = {{true, true, kCode, 0x800, "Unit"}, {true, true, kCode + 0x800, 0x800, "Other"}};
  written.publics = {{true, true, "_Z3fooi", kCode + 4}, {true, true, std::string(300, 'x'), kCode + 0x900}};
  written.lines = {{10, kCode + 4}, {200, kCode + 0x600}, {7, kCode + 0x610}};
  written.entryPoint = kCode + 0x20;
  TMapFile read = EmptyMapAtCode();
  ASSERT_TRUE(ReadPackedMap(WritePackedMap(written), read));
  EXPECT_EQ(read.segments.size(), 2u);
  EXPECT_EQ(read.segments[1].unit, "Other");
  EXPECT_EQ(read.publics[0].name, "_Z3fooi");
  EXPECT_EQ(read.publics[1].name, std::string(255, 'x'));  // a short string holds 255 at most
  EXPECT_EQ(read.publics[1].address, kCode + 0x900);
  ASSERT_EQ(read.lines.size(), 3u);
  EXPECT_EQ(read.lines[1].line, 200);
  EXPECT_EQ(read.lines[2].address, kCode + 0x610);
  EXPECT_EQ(read.entryPoint, kCode + 0x20);
}

TEST(PackedMapTest, RefusesWhatDoesNotCheckOut) {
  const uint32_t size = uint32_t(kStream.size()), crc = Crc(kStream);
  const std::string good = HandPacked(kStream, size, crc);
  std::string badMarker = good;
  badMarker[0] = 'X';
  std::string longPayload = good;
  longPayload[14] = char(longPayload[14] + 1);
  struct Case {
    const char* label;
    std::string packed;
  } cases[] = {
      {"CRC-32 mismatch", HandPacked(kStream, size, crc ^ 1)},
      {"version 1", HandPacked(kStream, size, crc, 1)},
      {"marker", badMarker},
      {"payload longer than the data", longPayload},
      {"stated length too long", HandPacked(kStream, size + 1, crc)},
      {"stated length too short", HandPacked(kStream, size - 1, crc)},
      {"stream cut short", HandPacked(kStream.substr(0, 20), 20, Crc(kStream.substr(0, 20)))},
      {"header only", good.substr(0, 22)},
      {"empty", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TMapFile map = EmptyMapAtCode();
    map.publics.push_back({true, true, "kept", kCode});
    EXPECT_FALSE(ReadPackedMap(c.packed, map)) << c.label;
    ASSERT_EQ(map.publics.size(), 1u) << c.label;  // a refused map changes nothing
  }
}

// Every cut of a valid map is refused, never read past its end (the sanitizer builds
// watch that).
TEST(PackedMapTest, EveryTruncationIsRefused) {
  const std::string good = HandPacked(kStream, uint32_t(kStream.size()), Crc(kStream));
  for (size_t length = 0; length < good.size(); ++length) {
    TMapFile map = EmptyMapAtCode();
    const std::string cut = good.substr(0, length);
    EXPECT_FALSE(ReadPackedMap(cut, map)) << "length " << length;
  }
}

}  // namespace
