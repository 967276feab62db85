// Random files for the ELF image reader, and the analysis of the functions it finds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "crash/code/ElfFileImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ElfFileImage image;
  std::string error;
  if (!image.LoadBytes(std::vector<uint8_t>(data, data + size), error)) return 0;
  size_t analysed = 0;
  for (const ElfFunctionSymbol& fn : image.Functions()) {
    if (++analysed > 16) break;
    AnalyzeFunction(fn.address, image, CodeMode::Bits64, image);
    image.FunctionNameAt(fn.address);
  }
  for (const ElfFileSection& section : image.Sections()) {
    uint8_t buffer[64];
    image.Read(uintptr_t(section.address), buffer, sizeof buffer);
    image.ImportNameAt(section.address);
  }
  return 0;
}
