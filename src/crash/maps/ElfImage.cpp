#include "crash/maps/ElfImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

template <typename T>
bool ReadAt(std::string_view file, uint64_t offset, T& value) {
  if (offset > file.size() || file.size() - offset < sizeof(T)) return false;
  std::memcpy(&value, file.data() + offset, sizeof(T));
  return true;
}

bool ReadHeader(std::string_view file, Elf64_Ehdr& header) {
  return LooksLikeElf(file) && ReadAt(file, 0, header) && header.e_ident[EI_CLASS] == ELFCLASS64 &&
         header.e_ident[EI_DATA] == ELFDATA2LSB;
}

}  // namespace

bool LooksLikeElf(std::string_view file) {
  return file.size() >= SELFMAG && std::memcmp(file.data(), ELFMAG, SELFMAG) == 0;
}

bool RangesFromProgramHeaders(const Elf64_Phdr* headers, size_t count, uintptr_t bias,
                              TAddressRange& code, TAddressRange& data) {
  bool haveCode = false, haveData = false;
  for (size_t i = 0; i < count; ++i) {
    const Elf64_Phdr& segment = headers[i];
    if (segment.p_type != PT_LOAD) continue;
    const TAddressRange range{bias + segment.p_vaddr, bias + segment.p_vaddr + segment.p_memsz};
    if ((segment.p_flags & PF_X) && !haveCode) {
      code = range;
      haveCode = true;
    } else if (segment.p_flags & PF_W) {
      data = haveData ? TAddressRange{std::min(data.start, range.start), std::max(data.end, range.end)}
                      : range;
      haveData = true;
    }
  }
  if (!haveData) data = {};
  return haveCode;
}

bool RangesFromElfFile(std::string_view file, TAddressRange& code, TAddressRange& data) {
  Elf64_Ehdr header;
  if (!ReadHeader(file, header) || header.e_phentsize != sizeof(Elf64_Phdr)) return false;
  std::vector<Elf64_Phdr> headers(header.e_phnum);
  for (size_t i = 0; i < headers.size(); ++i)
    if (!ReadAt(file, header.e_phoff + i * sizeof(Elf64_Phdr), headers[i])) return false;
  return RangesFromProgramHeaders(headers.data(), headers.size(), 0, code, data);
}

std::vector<TElfSectionHeader> ElfSectionHeaders(std::string_view file) {
  std::vector<TElfSectionHeader> sections;
  Elf64_Ehdr header;
  if (!ReadHeader(file, header) || header.e_shentsize != sizeof(Elf64_Shdr)) return sections;
  for (uint64_t i = 0; i < header.e_shnum; ++i) {
    Elf64_Shdr section;
    if (!ReadAt(file, header.e_shoff + i * sizeof(Elf64_Shdr), section)) break;
    sections.push_back({{}, section});
  }
  if (header.e_shstrndx >= sections.size()) return sections;
  const Elf64_Shdr& names = sections[header.e_shstrndx].header;
  if (names.sh_offset > file.size() || file.size() - names.sh_offset < names.sh_size) return sections;
  const std::string_view nameTable = file.substr(names.sh_offset, names.sh_size);
  for (TElfSectionHeader& section : sections) {
    if (section.header.sh_name >= nameTable.size()) continue;
    const std::string_view rest = nameTable.substr(section.header.sh_name);
    section.name = rest.substr(0, rest.find('\0'));
  }
  return sections;
}

std::optional<std::string_view> ElfSection(std::string_view file, std::string_view name) {
  for (const TElfSectionHeader& section : ElfSectionHeaders(file)) {
    if (section.name != name) continue;
    const Elf64_Shdr& found = section.header;
    if (found.sh_type == SHT_NOBITS || found.sh_offset > file.size() ||
        file.size() - found.sh_offset < found.sh_size)
      return std::nullopt;
    return file.substr(found.sh_offset, found.sh_size);
  }
  return std::nullopt;
}
