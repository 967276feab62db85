#pragma once
// Reading the parts of a 64-bit ELF image the map loader needs, from its program headers
// or from the bytes of its file. Never reads outside the given bytes.
#include <cstddef>
#include <elf.h>
#include <optional>
#include <string_view>
#include <vector>

#include "crash/maps/MapFile.h"

// The code range is the first loadable segment with execute permission; the data range
// spans the writable loadable segments (initialised and uninitialised data). Ranges are
// the segments' addresses plus bias. False when there is no executable segment.
bool RangesFromProgramHeaders(const Elf64_Phdr* headers, size_t count, uintptr_t bias,
                              TAddressRange& code, TAddressRange& data);

// The same from the bytes of an ELF file.
bool RangesFromElfFile(std::string_view file, TAddressRange& code, TAddressRange& data);

// True when the bytes start like an ELF file.
bool LooksLikeElf(std::string_view file);

// One section header of an ELF file, with its name from the file's section name table
// (empty when the table does not hold it).
struct TElfSectionHeader {
  std::string_view name;
  Elf64_Shdr header;
};

// The section headers of a 64-bit little-endian ELF file, up to the first one that lies
// outside the bytes; none when the bytes are no such file. The names point into the bytes.
std::vector<TElfSectionHeader> ElfSectionHeaders(std::string_view file);

// The contents of the section of that name in an ELF file, or nothing.
std::optional<std::string_view> ElfSection(std::string_view file, std::string_view name);
