// Our own loaded code as the function analysis sees it: modules from the dynamic linker,
// names from the symbol maps and the dynamic symbols, import slots from the dynamic
// relocations in memory.
#include <dlfcn.h>
#include <elf.h>
#include <link.h>

#include <map>
#include <string>
#include <vector>

#include "crash/code/FunctionAnalysis.h"
#include "crash/maps/MapFile.h"

namespace {

struct LoadedModule {
  uintptr_t bias = 0;
  uintptr_t codeStart = 0, codeEnd = 0;
  uintptr_t unwindIndex = 0;
  uintptr_t dynamic = 0;
};

struct ModuleQuery {
  uintptr_t address;
  LoadedModule module;
  bool found = false;
};

int VisitModule(dl_phdr_info* info, size_t, void* data) {
  auto* query = static_cast<ModuleQuery*>(data);
  bool holds = false;
  LoadedModule module;
  module.bias = info->dlpi_addr;
  module.codeStart = UINTPTR_MAX;
  for (int k = 0; k < info->dlpi_phnum; ++k) {
    const ElfW(Phdr)& ph = info->dlpi_phdr[k];
    const uintptr_t start = info->dlpi_addr + ph.p_vaddr;
    if (ph.p_type == PT_LOAD) {
      if (query->address >= start && query->address - start < ph.p_memsz) holds = true;
      if (ph.p_flags & PF_X) {
        module.codeStart = std::min(module.codeStart, start);
        module.codeEnd = std::max(module.codeEnd, start + ph.p_memsz);
      }
    } else if (ph.p_type == PT_GNU_EH_FRAME) {
      module.unwindIndex = start;
    } else if (ph.p_type == PT_DYNAMIC) {
      module.dynamic = start;
    }
  }
  if (!holds || module.codeStart == UINTPTR_MAX) return 0;
  query->module = module;
  query->found = true;
  return 1;
}

bool FindModule(uintptr_t address, LoadedModule& module) {
  ModuleQuery query{address, {}};
  dl_iterate_phdr(VisitModule, &query);
  module = query.module;
  return query.found;
}

class LiveEnvironment : public CodeEnvironment {
public:
  explicit LiveEnvironment(const MemoryReader& reader) : reader_(reader) {}

  bool ModuleCodeRange(uint64_t address, uint64_t& start, uint64_t& end) const override {
    LoadedModule module;
    if (!FindModule(uintptr_t(address), module)) return false;
    start = module.codeStart, end = module.codeEnd;
    return true;
  }
  uint64_t UnwindIndex(uint64_t address) const override {
    LoadedModule module;
    return FindModule(uintptr_t(address), module) ? module.unwindIndex : 0;
  }
  std::string FunctionNameAt(uint64_t address) const override {
    std::string name = PublicNameAt(uintptr_t(address));
    if (!name.empty()) return name;
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(address), &info) && info.dli_sname &&
        reinterpret_cast<uint64_t>(info.dli_saddr) == address)
      return info.dli_sname;
    return {};
  }
  std::string ImportNameAt(uint64_t cell) const override;

private:
  const MemoryReader& reader_;
  // Import slots of the modules asked about so far: module bias -> (slot -> name).
  mutable std::map<uintptr_t, std::map<uint64_t, std::string>> imports_;

  std::map<uint64_t, std::string> ReadImports(const LoadedModule& module) const;
};

std::map<uint64_t, std::string> LiveEnvironment::ReadImports(const LoadedModule& module) const {
  std::map<uint64_t, std::string> slots;
  if (!module.dynamic) return slots;
  uint64_t tables[2][2] = {}, symbols = 0, strings = 0, stringsSize = 0;
  // The dynamic linker has relocated the pointers of the dynamic section in place; an
  // entry still below the bias is an unrelocated offset.
  auto pointer = [&](uint64_t value) { return value < module.bias ? value + module.bias : value; };
  for (uintptr_t at = module.dynamic;; at += sizeof(ElfW(Dyn))) {
    ElfW(Dyn) dyn;
    if (!reader_.ReadExactly(at, &dyn, sizeof dyn) || dyn.d_tag == DT_NULL) break;
    switch (dyn.d_tag) {
      case DT_JMPREL: tables[0][0] = pointer(dyn.d_un.d_ptr); break;
      case DT_PLTRELSZ: tables[0][1] = dyn.d_un.d_val; break;
      case DT_RELA: tables[1][0] = pointer(dyn.d_un.d_ptr); break;
      case DT_RELASZ: tables[1][1] = dyn.d_un.d_val; break;
      case DT_SYMTAB: symbols = pointer(dyn.d_un.d_ptr); break;
      case DT_STRTAB: strings = pointer(dyn.d_un.d_ptr); break;
      case DT_STRSZ: stringsSize = dyn.d_un.d_val; break;
      default: break;
    }
  }
  if (!symbols || !strings) return slots;
  for (auto& [table, size] : tables) {
    if (!table || size > (1u << 24)) continue;
    std::vector<ElfW(Rela)> relocations(size / sizeof(ElfW(Rela)));
    if (!reader_.ReadExactly(uintptr_t(table), relocations.data(), relocations.size() * sizeof(ElfW(Rela))))
      continue;
    for (const ElfW(Rela)& r : relocations) {
      const uint32_t type = ELF64_R_TYPE(r.r_info), index = ELF64_R_SYM(r.r_info);
      if ((type != R_X86_64_JUMP_SLOT && type != R_X86_64_GLOB_DAT) || index == 0) continue;
      ElfW(Sym) sym;
      if (!reader_.ReadExactly(uintptr_t(symbols + uint64_t(index) * sizeof sym), &sym, sizeof sym) ||
          sym.st_name >= stringsSize)
        continue;
      char name[256];
      size_t got = reader_.Read(uintptr_t(strings + sym.st_name), name, sizeof name - 1);
      name[got] = 0;
      slots[module.bias + r.r_offset] = name;
    }
  }
  return slots;
}

std::string LiveEnvironment::ImportNameAt(uint64_t cell) const {
  LoadedModule module;
  if (!FindModule(uintptr_t(cell), module)) return {};
  auto cached = imports_.find(module.bias);
  if (cached == imports_.end()) cached = imports_.emplace(module.bias, ReadImports(module)).first;
  auto slot = cached->second.find(cell);
  return slot == cached->second.end() ? std::string() : slot->second;
}

}  // namespace

TFunctionInfo AnalyzeFunction(uintptr_t entry, const TReadableRanges* snapshot) {
  LiveMemoryReader reader(snapshot);
  LiveEnvironment environment(reader);
  return AnalyzeFunction(uint64_t(entry), reader, CodeMode::Bits64, environment);
}
