#pragma once
// A 64-bit x86 ELF file read into memory and laid out at its own addresses, for looking
// at the code of a program that is not running: the checking tools and the tests.
// Never faults on a malformed file: whatever lies outside the file is simply not there.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "crash/code/FunctionAnalysis.h"
#include "crash/code/MemoryReader.h"

struct ElfFunctionSymbol {
  uint64_t address = 0;
  uint64_t size = 0;
  std::string name;
};

struct ElfFileSection {
  std::string name;
  uint64_t address = 0;
  uint64_t size = 0;
  uint64_t fileOffset = 0;
  bool code = false;  // executable
};

class ElfFileImage : public MemoryReader, public CodeEnvironment {
public:
  // False with error filled when the file cannot be read or is no 64-bit x86 ELF file.
  bool Load(const std::string& path, std::string& error);
  // The same from the bytes of a file.
  bool LoadBytes(std::vector<uint8_t> bytes, std::string& error);

  size_t Read(uintptr_t address, void* buffer, size_t length) const override;

  // The address at which a file offset is loaded, when some segment loads it.
  bool FileOffsetToAddress(uint64_t offset, uint64_t& address) const;

  const std::vector<ElfFileSection>& Sections() const { return sections_; }
  // Functions of the symbol tables (static and dynamic), by address, one per address.
  const std::vector<ElfFunctionSymbol>& Functions() const { return functions_; }
  // Lowest and highest+1 address of the executable segments.
  uint64_t CodeStart() const { return codeStart_; }
  uint64_t CodeEnd() const { return codeEnd_; }

  // The file's code as the function analysis sees it: one module, its static and dynamic
  // symbols as names, its relocations naming the import slots.
  bool ModuleCodeRange(uint64_t address, uint64_t& start, uint64_t& end) const override;
  uint64_t UnwindIndex(uint64_t address) const override { return ehFrameHdr_; }
  std::string FunctionNameAt(uint64_t address) const override;
  std::string ImportNameAt(uint64_t cell) const override;

private:
  struct Segment {
    uint64_t address, fileOffset, fileSize, memorySize;
  };
  std::vector<uint8_t> file_;
  std::vector<Segment> segments_;
  std::vector<ElfFileSection> sections_;
  std::vector<ElfFunctionSymbol> functions_;
  std::map<uint64_t, std::string> imports_;
  uint64_t codeStart_ = 0, codeEnd_ = 0, ehFrameHdr_ = 0;

  void ReadSymbols(const ElfFileSection& table, const ElfFileSection& strings);
  void ReadRelocations(const ElfFileSection& table, const ElfFileSection& symbols,
                       const ElfFileSection& strings);
  bool Slice(uint64_t offset, uint64_t size) const {
    return offset <= file_.size() && size <= file_.size() - offset;
  }
};
