// Which source a module's map comes from, and when the cache loads it again.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

#include "PackedFixtures.h"
#include "support/TempDir.h"
#include "Td32Writer.h"
#include "crash/maps/MapSources.h"
#include "crash/maps/PackedMap.h"

namespace {

// A text map of one code segment holding everything, with one public and one line at
// its start.
std::string TextMap(const std::string& name) {
  return "Detailed map of segments\n\n"
         " 0001:00000000 00100000 C=CODE     S=.text    G=(none)   M=Fixture    ACBP=A9\n\n"
         "  Address         Publics by Value\n\n"
         " 0001:00000000       " + name + "\n\n"
         "Line numbers for Fixture(Fixture.cpp) segment .text\n\n"
         "     7 0001:00000000\n\n";
}

// A packed map with one public at the start of the code.
std::string PackedMap(const std::string& name) {
  TMapFile map;
  map.segments = {{true, true, 0, 0x100000, "Fixture"}};
  map.publics = {{true, true, name, 0}};
  return WritePackedMap(map);
}

std::string Td32Map(const std::string& name) {
  Td32Writer td32;
  td32.Add(0x130, Names({name.c_str()}));
  td32.Add(0x129, std::string(32, '\0') + Symbol(0x205, 1, 0));
  return td32.Build();
}

// The same packed map with its CRC-32 wrong.
std::string PackedMapWithBadCrc(const std::string& name) {
  TMapFile map;
  map.publics = {{true, true, name, 0}};
  const std::string stream = *OpenPackedMap(WritePackedMap(map));
  return HandPacked(stream, uint32_t(stream.size()), Crc(stream) ^ 0x80);
}

void Embed(const std::string& module, const std::string& packed, const TempDir& dir) {
  const std::string section = dir.Write("section.bin", packed);
  const std::string command = std::string(MAPS_OBJCOPY) + " --add-section " + std::string(kEmbeddedMapSection) +
                              "=" + section + " " + module;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::string FirstPublicName(const TMapFile& map) { return map.publics.empty() ? "" : map.publics.front().name; }

TEST(MapSourcesTest, TheFirstSourceThatYieldsAMapWins) {
  enum Embedded { kNone, kGood, kBadCrc };
  struct Case {
    const char* label;
    Embedded embedded;
    bool tds, map, fbx;
    const char* source;  // extension of the file read, "" for the module itself
    const char* name;
  } cases[] = {
      {"embedded map over everything beside", kGood, true, true, true, "", "FromEmbedded"},
      {"embedded map with a wrong CRC-32", kBadCrc, false, true, true, ".map", "FromText"},
      {"TD32 before the text map", kNone, true, true, true, "", "FromTds"},
      {"text map before the packed file", kNone, false, true, true, ".map", "FromText"},
      {"packed file last", kNone, false, false, true, ".fbx", "FromFbx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    const std::string module = dir.File("fixture.so");
    std::filesystem::copy_file(MAPS_FIXTURE_LIBRARY, module);
    if (c.embedded == kGood) Embed(module, PackedMap("FromEmbedded"), dir);
    if (c.embedded == kBadCrc) Embed(module, PackedMapWithBadCrc("FromEmbedded"), dir);
    if (c.tds) dir.Write("fixture.tds", Td32Map("FromTds"));
    if (c.map) dir.Write("fixture.map", TextMap("FromText"));
    if (c.fbx) dir.Write("fixture.fbx", PackedMap("FromFbx"));

    const TMapFilePtr map = LoadMapOfFile(module);
    ASSERT_TRUE(map->loaded) << c.label;
    EXPECT_EQ(FirstPublicName(*map), c.name) << c.label;
    const std::string source = *c.source ? dir.File(std::string("fixture") + c.source) : module;
    EXPECT_EQ(map->sourceName, source) << c.label;
    EXPECT_EQ(map->fileName, module) << c.label;
  }
}

TEST(MapSourcesTest, AModuleWithoutAnySourceHasNoMap) {
  TempDir dir;
  const std::string module = dir.File("fixture.so");
  std::filesystem::copy_file(MAPS_FIXTURE_LIBRARY, module);
  dir.Write("fixture.fbx", "not a packed map");
  EXPECT_FALSE(LoadMapOfFile(module)->loaded);
  EXPECT_FALSE(LoadMapOfFile(dir.File("missing.so"))->loaded);
}

// A loaded module whose map comes from a text map beside it.
class LoadedModuleTest : public ::testing::Test {
protected:
  void SetUp() override {
    module = dir.File("fixture.so");
    std::filesystem::copy_file(MAPS_FIXTURE_LIBRARY, module);
    dir.Write("fixture.map", TextMap("FromText"));
    handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    function = reinterpret_cast<uintptr_t>(dlsym(handle, "MapsFixtureSecond"));
    ASSERT_NE(function, 0u);
  }
  void TearDown() override {
    ClearMapCache();
    if (handle) dlclose(handle);
  }

  // Rewrites the text map with a write time clearly apart from the old one.
  void RewriteMap(const std::string& name) {
    const std::string path = dir.Write("fixture.map", TextMap(name));
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    const timespec times[2] = {status.st_atim, {status.st_mtim.tv_sec + 10, status.st_mtim.tv_nsec}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }

  TempDir dir;
  std::string module;
  void* handle = nullptr;
  uintptr_t function = 0;
};

TEST_F(LoadedModuleTest, LookupsUseTheCachedMapUntilItsSourceChanges) {
  const TMapFilePtr first = GetModuleMap(function);
  ASSERT_TRUE(first->loaded);
  EXPECT_EQ(first->sourceName, dir.File("fixture.map"));
  EXPECT_EQ(GetModuleMap(function), first);  // from the cache
  EXPECT_NE(DescribeAddress(function).find(" fixture.so Fixture 7 FromText"), std::string::npos)
      << DescribeAddress(function);
  EXPECT_EQ(PublicNameAt(first->codeRange.start), "FromText");
  EXPECT_EQ(PublicNameAt(first->codeRange.start + 1), "");

  TLineRange range;
  EXPECT_EQ(LineRangeAt(function, range), 7);
  EXPECT_TRUE(range.addresses.Contains(function));

  RewriteMap("Changed");
  const TMapFilePtr second = GetModuleMap(function);
  EXPECT_NE(second, first);
  TAddressInfo info;
  ASSERT_TRUE(LookupAddress(function, info));
  EXPECT_EQ(info.publicName, "Changed");
  EXPECT_EQ(info.moduleFileName, module);
  EXPECT_EQ(info.unit, "Fixture");
}

}  // namespace
