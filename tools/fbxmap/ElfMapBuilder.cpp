#include "ElfMapBuilder.h"

#include <algorithm>
#include <cxxabi.h>
#include <dwarf.h>
#include <elfutils/libdw.h>
#include <fcntl.h>
#include <filesystem>
#include <gelf.h>
#include <map>
#include <memory>
#include <unistd.h>

#include "crash/maps/MapOrder.h"

namespace {

constexpr size_t kMaxName = 255;  // names are short strings in the packed map

struct Symbol {
  uintptr_t address;
  int rank;  // lower wins among symbols at one address
  std::string name;
};

std::string Normal(const std::string& path) {
  return std::filesystem::path(path).lexically_normal().string();
}

// A name for the packed map: the mangled name when it fits, else as much of the
// readable name as fits.
std::string ShortName(const char* mangled) {
  std::string name(mangled);
  if (name.size() <= kMaxName) return name;
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> plain(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  if (status == 0 && plain) name = plain.get();
  return name.substr(0, kMaxName);
}

bool ReadCodeRange(Elf* elf, TMapFile& map) {
  size_t count = 0;
  if (elf_getphdrnum(elf, &count) != 0) return false;
  for (size_t i = 0; i < count; ++i) {
    GElf_Phdr header;
    if (!gelf_getphdr(elf, int(i), &header) || header.p_type != PT_LOAD) continue;
    if (header.p_flags & PF_X) {
      map.codeRange = {header.p_vaddr, header.p_vaddr + header.p_memsz};
      return true;
    }
  }
  return false;
}

void ReadFunctionSymbols(Elf* elf, TMapFile& map) {
  Elf_Scn* section = nullptr;
  Elf_Scn* symbols = nullptr;
  while ((section = elf_nextscn(elf, section))) {
    GElf_Shdr header;
    if (!gelf_getshdr(section, &header)) continue;
    if (header.sh_type == SHT_SYMTAB) symbols = section;
    if (header.sh_type == SHT_DYNSYM && !symbols) symbols = section;
  }
  if (!symbols) return;
  GElf_Shdr header;
  gelf_getshdr(symbols, &header);
  Elf_Data* data = elf_getdata(symbols, nullptr);
  if (!data || !header.sh_entsize) return;

  std::map<uintptr_t, Symbol> byAddress;
  const size_t count = header.sh_size / header.sh_entsize;
  for (size_t i = 0; i < count; ++i) {
    GElf_Sym symbol;
    if (!gelf_getsym(data, int(i), &symbol)) continue;
    if (GELF_ST_TYPE(symbol.st_info) != STT_FUNC || symbol.st_shndx == SHN_UNDEF) continue;
    if (!map.codeRange.Contains(symbol.st_value)) continue;
    const char* name = elf_strptr(elf, header.sh_link, symbol.st_name);
    if (!name || !*name) continue;
    // Several names at one address (aliases, constructor variants): a global one first.
    const int bind = GELF_ST_BIND(symbol.st_info);
    const int rank = bind == STB_GLOBAL ? 0 : bind == STB_WEAK ? 1 : 2;
    auto [at, fresh] = byAddress.try_emplace(symbol.st_value, Symbol{symbol.st_value, rank, name});
    if (!fresh && (rank < at->second.rank || (rank == at->second.rank && at->second.name > name)))
      at->second = {symbol.st_value, rank, name};
  }
  for (auto& [address, symbol] : byAddress)
    map.publics.push_back({true, true, ShortName(symbol.name.c_str()), address});
}

// The code ranges of one unit, and its line rows kept for its own source file.
class UnitReader {
public:
  UnitReader(Dwarf_Die* unit, const TMapFile& map) : unit_(unit), map_(map) {
    const char* name = dwarf_diename(unit);
    const char* folder = nullptr;
    Dwarf_Attribute attribute;
    if (dwarf_attr(unit, DW_AT_comp_dir, &attribute)) folder = dwarf_formstring(&attribute);
    if (name) {
      std::filesystem::path path(name);
      if (path.is_relative() && folder) path = std::filesystem::path(folder) / path;
      ownFile_ = Normal(path.string());
      unitName_ = std::filesystem::path(name).stem().string();
    }
    dwarf_getsrcfiles(unit, &files_, &fileCount_);
  }

  void AddSegments(std::vector<TMfSegment>& segments) const {
    if (unitName_.empty()) return;
    Dwarf_Addr base = 0, start = 0, end = 0;
    ptrdiff_t offset = 0;
    while ((offset = dwarf_ranges(unit_, offset, &base, &start, &end)) > 0) {
      if (end <= start || !map_.codeRange.Contains(start)) continue;
      segments.push_back({true, true, start, uint32_t(end - start), unitName_});
    }
  }

  void AddLines(std::vector<TMfLine>& lines) {
    if (ownFile_.empty()) return;
    CollectInlinedCalls(unit_);
    std::sort(calls_.begin(), calls_.end(),
              [](const Call& a, const Call& b) { return a.start < b.start; });
    Dwarf_Lines* rows = nullptr;
    size_t count = 0;
    if (dwarf_getsrclines(unit_, &rows, &count) != 0) return;
    for (size_t i = 0; i < count; ++i) {
      Dwarf_Line* row = dwarf_onesrcline(rows, i);
      Dwarf_Addr address = 0;
      if (!row || dwarf_lineaddr(row, &address) != 0 || !map_.codeRange.Contains(address)) continue;
      bool end = false;
      dwarf_lineendsequence(row, &end);
      lines.push_back({end ? 0 : LineOf(row, address), address});
    }
  }

private:
  struct Call {
    uintptr_t start, end;
    int line;  // in the unit's own file; 0 when the caller lies in another file
  };

  bool IsOwnFile(const char* path) {
    if (!path) return false;
    auto [at, fresh] = ownFiles_.try_emplace(path, false);
    if (fresh) at->second = Normal(path) == ownFile_;
    return at->second;
  }

  // Inside inlined code, the line that counts is the call in the function's own body.
  int LineOf(Dwarf_Line* row, uintptr_t address) {
    auto next = std::upper_bound(calls_.begin(), calls_.end(), address,
                                 [](uintptr_t a, const Call& c) { return a < c.start; });
    if (next != calls_.begin() && address < std::prev(next)->end) return std::prev(next)->line;
    int line = 0;
    if (!IsOwnFile(dwarf_linesrc(row, nullptr, nullptr)) || dwarf_lineno(row, &line) != 0) return 0;
    return line;
  }

  // Records the outermost inlined calls below die; calls inside them do not count.
  void CollectInlinedCalls(Dwarf_Die* die) {
    Dwarf_Die child;
    if (dwarf_child(die, &child) != 0) return;
    do {
      if (dwarf_tag(&child) == DW_TAG_inlined_subroutine) {
        RecordCall(&child);
      } else {
        CollectInlinedCalls(&child);
      }
    } while (dwarf_siblingof(&child, &child) == 0);
  }

  void RecordCall(Dwarf_Die* call) {
    Dwarf_Attribute attribute;
    Dwarf_Word file = 0, line = 0;
    bool own = false;
    if (dwarf_attr(call, DW_AT_call_file, &attribute) && dwarf_formudata(&attribute, &file) == 0 &&
        files_ && file < fileCount_)
      own = IsOwnFile(dwarf_filesrc(files_, file, nullptr, nullptr));
    if (dwarf_attr(call, DW_AT_call_line, &attribute)) dwarf_formudata(&attribute, &line);
    Dwarf_Addr base = 0, start = 0, end = 0;
    ptrdiff_t offset = 0;
    while ((offset = dwarf_ranges(call, offset, &base, &start, &end)) > 0)
      if (start < end) calls_.push_back({start, end, own ? int(line) : 0});
  }

  Dwarf_Die* unit_;
  const TMapFile& map_;
  std::string ownFile_;
  std::string unitName_;
  Dwarf_Files* files_ = nullptr;
  size_t fileCount_ = 0;
  std::map<const char*, bool> ownFiles_;
  std::vector<Call> calls_;
};

// Units may claim the same code (a function emitted in several units, kept once):
// the first claim keeps it, so that the segments never overlap; pieces of one unit that
// touch are joined.
void MakeSegmentsDisjoint(std::vector<TMfSegment>& segments) {
  std::stable_sort(segments.begin(), segments.end(), [](const TMfSegment& a, const TMfSegment& b) {
    return a.start != b.start ? a.start < b.start : a.length > b.length;
  });
  std::vector<TMfSegment> disjoint;
  uintptr_t covered = 0;
  for (auto& segment : segments) {
    const uintptr_t start = std::max(segment.start, covered), end = segment.start + segment.length;
    if (end <= start) continue;
    covered = end;
    if (!disjoint.empty() && disjoint.back().unit == segment.unit &&
        disjoint.back().start + disjoint.back().length == start) {
      disjoint.back().length = uint32_t(end - disjoint.back().start);
      continue;
    }
    segment.start = start;
    segment.length = uint32_t(end - start);
    disjoint.push_back(std::move(segment));
  }
  segments = std::move(disjoint);
}

// One row per change of line: of rows at one address the last with a line wins, and a
// row repeating the line before it adds nothing.
void CompactLines(std::vector<TMfLine>& lines) {
  std::vector<TMfLine> compact;
  for (size_t i = 0; i < lines.size(); ++i) {
    TMfLine row = lines[i];
    while (i + 1 < lines.size() && lines[i + 1].address == row.address) {
      ++i;
      if (lines[i].line || !row.line) row = lines[i];
    }
    const int previous = compact.empty() ? 0 : compact.back().line;
    if (row.line != previous) compact.push_back(row);
  }
  lines = std::move(compact);
}

}  // namespace

bool BuildMapFromElf(const std::string& path, TMapFile& map, std::string& error) {
  elf_version(EV_CURRENT);
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    error = "cannot open " + path;
    return false;
  }
  Elf* elf = elf_begin(fd, ELF_C_READ, nullptr);
  bool ok = elf && ReadCodeRange(elf, map);
  if (!ok) error = path + " is not an ELF file with code";
  if (ok) {
    map.fileName = map.sourceName = path;
    GElf_Ehdr header;
    if (gelf_getehdr(elf, &header) && map.codeRange.Contains(header.e_entry))
      map.entryPoint = header.e_entry;
    ReadFunctionSymbols(elf, map);
    if (Dwarf* dwarf = dwarf_begin_elf(elf, DWARF_C_READ, nullptr)) {
      Dwarf_CU* cu = nullptr;
      Dwarf_Die unit;
      uint8_t type = 0;
      while (dwarf_get_units(dwarf, cu, &cu, nullptr, &type, &unit, nullptr) == 0) {
        UnitReader reader(&unit, map);
        reader.AddSegments(map.segments);
        reader.AddLines(map.lines);
      }
      dwarf_end(dwarf);
    }
    SortMapForSearch(map);
    MakeSegmentsDisjoint(map.segments);
    CompactLines(map.lines);
    map.loaded = true;
  }
  if (elf) elf_end(elf);
  close(fd);
  return ok;
}
