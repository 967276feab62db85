#pragma once
// What the map loader needs to know of a module: its file and where its code and data
// lie. For a loaded module the ranges are absolute; for a file looked at on disk they
// are the file's own addresses.
#include <cstdint>
#include <string>

#include "crash/maps/MapFile.h"

struct TModuleImage {
  std::string fileName;  // full path
  uintptr_t bias = 0;    // load bias (0 on disk)
  TAddressRange codeRange;
  TAddressRange dataRange;
  bool headersRead = false;  // the ranges are known
};

// The loaded module whose loadable segments contain address (the program itself when
// address is 0). False when no module holds it or its file name cannot be read.
bool FindLoadedModule(uintptr_t address, TModuleImage& image);

// The module image of an ELF file on disk (headersRead false when it is no ELF file).
TModuleImage ModuleImageOfFile(const std::string& path);
