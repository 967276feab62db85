#pragma once
// A 64-bit x86 ELF file read into memory and laid out at its own addresses, for looking
// at the code of a program that is not running: the checking tools and the tests.
// Never faults on a malformed file: whatever lies outside the file is simply not there.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "crash/code/MemoryReader.h"

struct ElfSymbol {
  uint64_t address = 0;
  uint64_t size = 0;
  std::string name;
};

struct ElfSection {
  std::string name;
  uint64_t address = 0;
  uint64_t size = 0;
  uint64_t fileOffset = 0;
  bool code = false;  // executable
};

class ElfImage : public MemoryReader {
public:
  // False with error filled when the file cannot be read or is no 64-bit x86 ELF file.
  bool Load(const std::string& path, std::string& error);

  size_t Read(uintptr_t address, void* buffer, size_t length) const override;

  // The address at which a file offset is loaded, when some segment loads it.
  bool FileOffsetToAddress(uint64_t offset, uint64_t& address) const;

  const std::vector<ElfSection>& Sections() const { return sections_; }
  // Functions of the symbol tables (static and dynamic), by address, one per address.
  const std::vector<ElfSymbol>& Functions() const { return functions_; }
  // Lowest and highest+1 address of the executable segments.
  uint64_t CodeStart() const { return codeStart_; }
  uint64_t CodeEnd() const { return codeEnd_; }
  uint64_t EhFrameHdr() const { return ehFrameHdr_; }
  // The symbol whose address the dynamic linker stores in the cell (GOT slots), or "".
  std::string ImportAt(uint64_t cell) const;
  // The function starting exactly at address, or "".
  std::string FunctionAt(uint64_t address) const;

private:
  struct Segment {
    uint64_t address, fileOffset, fileSize, memorySize;
  };
  std::vector<uint8_t> file_;
  std::vector<Segment> segments_;
  std::vector<ElfSection> sections_;
  std::vector<ElfSymbol> functions_;
  std::map<uint64_t, std::string> imports_;
  uint64_t codeStart_ = 0, codeEnd_ = 0, ehFrameHdr_ = 0;

  void ReadSymbols(const ElfSection& table, const ElfSection& strings);
  void ReadRelocations(const ElfSection& table, const ElfSection& symbols,
                       const ElfSection& strings);
  bool Slice(uint64_t offset, uint64_t size) const {
    return offset <= file_.size() && size <= file_.size() - offset;
  }
};
