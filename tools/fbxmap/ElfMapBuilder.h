#pragma once
// Builds the symbol map of a linked ELF file from its function symbols and its DWARF
// (compile-unit code ranges and line tables), addresses as in the file.
#include <string>

#include "crash/maps/MapFile.h"

bool BuildMapFromElf(const std::string& path, TMapFile& map, std::string& error);
