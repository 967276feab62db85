// The map fbxmap writes of a real program, embedded and then stripped with the program.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>

#include "crash/maps/ElfImage.h"
#include "crash/maps/MappedFile.h"

namespace {

std::vector<std::string> OutputLines(const std::string& command) {
  std::vector<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return lines;
  char buffer[4096];
  while (std::fgets(buffer, sizeof buffer, pipe)) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  pclose(pipe);
  return lines;
}

TEST(FixtureProgramTest, StrippedProgramNamesItsOwnAddresses) {
  TMappedFile stripped(MAPS_FIXTURE_STRIPPED);
  ASSERT_TRUE(stripped.IsOpen());
  EXPECT_FALSE(ElfSection(stripped.Bytes(), ".symtab"));
  EXPECT_FALSE(ElfSection(stripped.Bytes(), ".debug_line"));

  const auto lines = OutputLines(MAPS_FIXTURE_STRIPPED);
  ASSERT_EQ(lines.size(), 3u);
  const struct {
    const char* label;
    const char* pattern;
  } cases[] = {
      {"call site inside the function", "[0-9a-f]{8,} maps_fixture_program MapsFixtureProgram 13 FixtureFunction\\(int\\)"},
      {"function entry", "[0-9a-f]{8,} maps_fixture_program MapsFixtureProgram 12 FixtureFunction\\(int\\)"},
      {"module without a map", "[0-9a-f]{8,} \\?\\?\\?"},
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(cases[i].label);
    EXPECT_TRUE(std::regex_match(lines[i], std::regex(cases[i].pattern))) << cases[i].label << ": " << lines[i];
  }
}

}  // namespace
