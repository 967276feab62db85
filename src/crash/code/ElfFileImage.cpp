#include "crash/code/ElfFileImage.h"

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "crash/maps/ElfImage.h"

bool ElfFileImage::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  if (!LoadBytes(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
                 error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

bool ElfFileImage::LoadBytes(std::vector<uint8_t> bytes, std::string& error) {
  *this = ElfFileImage();
  file_ = std::move(bytes);
  Elf64_Ehdr header;
  if (file_.size() < sizeof header || std::memcmp(file_.data(), ELFMAG, SELFMAG) != 0 ||
      file_[EI_CLASS] != ELFCLASS64) {
    error = "no 64-bit ELF file";
    return false;
  }
  std::memcpy(&header, file_.data(), sizeof header);
  if (header.e_machine != EM_X86_64) {
    error = "not x86-64 code";
    return false;
  }
  codeStart_ = UINT64_MAX;
  for (unsigned k = 0; k < header.e_phnum; ++k) {
    Elf64_Phdr ph;
    uint64_t at = header.e_phoff + uint64_t(k) * sizeof ph;
    if (!Slice(at, sizeof ph)) break;
    std::memcpy(&ph, file_.data() + at, sizeof ph);
    if (ph.p_type == PT_LOAD) {
      segments_.push_back({ph.p_vaddr, ph.p_offset, ph.p_filesz, ph.p_memsz});
      if (ph.p_flags & PF_X) {
        codeStart_ = std::min(codeStart_, ph.p_vaddr);
        codeEnd_ = std::max(codeEnd_, ph.p_vaddr + ph.p_memsz);
      }
    } else if (ph.p_type == PT_GNU_EH_FRAME) {
      ehFrameHdr_ = ph.p_vaddr;
    }
  }
  if (codeStart_ == UINT64_MAX) codeStart_ = 0;

  auto raw = [&](const Elf64_Shdr& sh) {
    return ElfFileSection{"", sh.sh_addr, sh.sh_size, sh.sh_offset, (sh.sh_flags & SHF_EXECINSTR) != 0};
  };
  std::vector<Elf64_Shdr> headers;
  const std::string_view file(reinterpret_cast<const char*>(file_.data()), file_.size());
  for (const TElfSectionHeader& sh : ElfSectionHeaders(file)) {
    headers.push_back(sh.header);
    sections_.push_back(raw(sh.header));
    sections_.back().name = sh.name;
  }
  for (const Elf64_Shdr& sh : headers) {
    if ((sh.sh_type == SHT_SYMTAB || sh.sh_type == SHT_DYNSYM) && sh.sh_link < headers.size())
      ReadSymbols(raw(sh), raw(headers[sh.sh_link]));
  }
  std::sort(functions_.begin(), functions_.end(),
            [](const ElfFunctionSymbol& a, const ElfFunctionSymbol& b) { return a.address < b.address; });
  functions_.erase(std::unique(functions_.begin(), functions_.end(),
                               [](const ElfFunctionSymbol& a, const ElfFunctionSymbol& b) { return a.address == b.address; }),
                   functions_.end());
  for (const Elf64_Shdr& sh : headers) {
    if (sh.sh_type == SHT_RELA && sh.sh_link < headers.size()) {
      const Elf64_Shdr& symbols = headers[sh.sh_link];
      if (symbols.sh_link < headers.size())
        ReadRelocations(raw(sh), raw(symbols), raw(headers[symbols.sh_link]));
    }
  }
  return true;
}

void ElfFileImage::ReadSymbols(const ElfFileSection& table, const ElfFileSection& strings) {
  if (!Slice(table.fileOffset, table.size) || !Slice(strings.fileOffset, strings.size)) return;
  for (uint64_t at = 0; at + sizeof(Elf64_Sym) <= table.size; at += sizeof(Elf64_Sym)) {
    Elf64_Sym sym;
    std::memcpy(&sym, file_.data() + table.fileOffset + at, sizeof sym);
    if (ELF64_ST_TYPE(sym.st_info) != STT_FUNC || sym.st_shndx == SHN_UNDEF || sym.st_value == 0 ||
        sym.st_name >= strings.size)
      continue;
    const char* text = reinterpret_cast<const char*>(file_.data() + strings.fileOffset + sym.st_name);
    functions_.push_back({sym.st_value, sym.st_size, std::string(text, strnlen(text, strings.size - sym.st_name))});
  }
}

void ElfFileImage::ReadRelocations(const ElfFileSection& table, const ElfFileSection& symbols,
                               const ElfFileSection& strings) {
  if (!Slice(table.fileOffset, table.size) || !Slice(symbols.fileOffset, symbols.size) ||
      !Slice(strings.fileOffset, strings.size))
    return;
  for (uint64_t at = 0; at + sizeof(Elf64_Rela) <= table.size; at += sizeof(Elf64_Rela)) {
    Elf64_Rela rela;
    std::memcpy(&rela, file_.data() + table.fileOffset + at, sizeof rela);
    uint32_t type = ELF64_R_TYPE(rela.r_info), index = ELF64_R_SYM(rela.r_info);
    if (type != R_X86_64_JUMP_SLOT && type != R_X86_64_GLOB_DAT && type != R_X86_64_64) continue;
    uint64_t symAt = uint64_t(index) * sizeof(Elf64_Sym);
    if (index == 0 || symAt + sizeof(Elf64_Sym) > symbols.size) continue;
    Elf64_Sym sym;
    std::memcpy(&sym, file_.data() + symbols.fileOffset + symAt, sizeof sym);
    if (sym.st_name >= strings.size) continue;
    const char* text = reinterpret_cast<const char*>(file_.data() + strings.fileOffset + sym.st_name);
    imports_[rela.r_offset] = std::string(text, strnlen(text, strings.size - sym.st_name));
  }
}

size_t ElfFileImage::Read(uintptr_t address, void* buffer, size_t length) const {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t copied = 0;
  while (copied < length) {
    uint64_t at = address + copied;
    const Segment* found = nullptr;
    for (const Segment& s : segments_)
      if (at >= s.address && at - s.address < s.memorySize) found = &s;
    if (!found) break;
    uint64_t offset = at - found->address;
    size_t piece = size_t(std::min<uint64_t>(length - copied, found->memorySize - offset));
    if (offset < found->fileSize) {
      piece = size_t(std::min<uint64_t>(piece, found->fileSize - offset));
      if (!Slice(found->fileOffset + offset, piece)) break;
      std::memcpy(out + copied, file_.data() + found->fileOffset + offset, piece);
    } else {
      std::memset(out + copied, 0, piece);  // zero-filled part of the segment
    }
    copied += piece;
  }
  return copied;
}

bool ElfFileImage::FileOffsetToAddress(uint64_t offset, uint64_t& address) const {
  for (const Segment& s : segments_) {
    if (offset >= s.fileOffset && offset - s.fileOffset < s.fileSize) {
      address = s.address + (offset - s.fileOffset);
      return true;
    }
  }
  return false;
}

std::string ElfFileImage::ImportNameAt(uint64_t cell) const {
  auto it = imports_.find(cell);
  return it == imports_.end() ? std::string() : it->second;
}

std::string ElfFileImage::FunctionNameAt(uint64_t address) const {
  auto it = std::lower_bound(functions_.begin(), functions_.end(), address,
                             [](const ElfFunctionSymbol& s, uint64_t a) { return s.address < a; });
  return it != functions_.end() && it->address == address ? it->name : std::string();
}

bool ElfFileImage::ModuleCodeRange(uint64_t address, uint64_t& start, uint64_t& end) const {
  if (codeStart_ >= codeEnd_) return false;
  start = codeStart_, end = codeEnd_;
  return true;
}
