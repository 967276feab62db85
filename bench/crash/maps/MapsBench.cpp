// Symbol maps against libdw: loading the map of a program (map the file, find the
// section, decipher, inflate, parse) and naming 100,000 addresses inside its functions
// (function and line), the same addresses through dwfl_module_addrinfo and
// dwfl_module_getsrc.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <elfutils/libdwfl.h>
#include <fcntl.h>
#include <gelf.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "crash/maps/MapFile.h"

namespace {

constexpr size_t kAddresses = 100000;

std::string ModulePath() {
  const char* path = std::getenv("BRENVOLL_MAP_BENCH_MODULE");
  return path && *path ? path : MAPS_BENCH_PROGRAM;
}

// Addresses inside the function symbols of the file (read with libelf, so that neither
// side picks them).
const std::vector<uintptr_t>& Addresses() {
  static const std::vector<uintptr_t> addresses = [] {
    struct Function {
      uintptr_t start, size;
    };
    std::vector<Function> functions;
    elf_version(EV_CURRENT);
    const int fd = open(ModulePath().c_str(), O_RDONLY);
    Elf* elf = fd >= 0 ? elf_begin(fd, ELF_C_READ, nullptr) : nullptr;
    for (Elf_Scn* section = nullptr; elf && (section = elf_nextscn(elf, section));) {
      GElf_Shdr header;
      if (!gelf_getshdr(section, &header) || header.sh_type != SHT_SYMTAB || !header.sh_entsize) continue;
      Elf_Data* data = elf_getdata(section, nullptr);
      for (size_t i = 0; data && i < header.sh_size / header.sh_entsize; ++i) {
        GElf_Sym symbol;
        if (gelf_getsym(data, int(i), &symbol) && GELF_ST_TYPE(symbol.st_info) == STT_FUNC && symbol.st_size &&
            symbol.st_shndx != SHN_UNDEF)
          functions.push_back({symbol.st_value, symbol.st_size});
      }
    }
    if (elf) elf_end(elf);
    if (fd >= 0) close(fd);
    std::vector<uintptr_t> picked;
    std::mt19937_64 random(42);
    for (size_t i = 0; !functions.empty() && i < kAddresses; ++i) {
      const Function& f = functions[random() % functions.size()];
      picked.push_back(f.start + random() % f.size);
    }
    return picked;
  }();
  return addresses;
}

void BM_MapLoad(benchmark::State& state) {
  const std::string path = ModulePath();
  size_t publics = 0, lines = 0;
  for (auto _ : state) {
    const TMapFilePtr map = LoadMapOfFile(path);
    if (!map->loaded) {
      state.SkipWithError(("no map in " + path).c_str());
      return;
    }
    publics = map->publics.size();
    lines = map->lines.size();
    benchmark::DoNotOptimize(map);
  }
  state.counters["publics"] = double(publics);
  state.counters["lines"] = double(lines);
}
BENCHMARK(BM_MapLoad)->Unit(benchmark::kMillisecond);

void BM_MapLookup(benchmark::State& state) {
  const TMapFilePtr map = LoadMapOfFile(ModulePath());
  const auto& addresses = Addresses();
  if (!map->loaded || addresses.empty()) {
    state.SkipWithError("no map or no function symbols");
    return;
  }
  size_t named = 0;
  for (auto _ : state) {
    named = 0;
    for (uintptr_t address : addresses) {
      TAddressInfo info;
      LookupAddressIn(*map, address, info);
      named += !info.publicName.empty();
      benchmark::DoNotOptimize(info.line);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations() * addresses.size()));
  state.counters["named"] = double(named);
}
BENCHMARK(BM_MapLookup)->Unit(benchmark::kMillisecond);

const Dwfl_Callbacks kOfflineCallbacks = {
    dwfl_build_id_find_elf, dwfl_standard_find_debuginfo, dwfl_offline_section_address, nullptr};

// libdw with the module reported once and its caches warm, as a reporter would keep it.
void BM_LibdwLookup(benchmark::State& state) {
  Dwfl* dwfl = dwfl_begin(&kOfflineCallbacks);
  Dwfl_Module* module = dwfl ? dwfl_report_offline(dwfl, "", ModulePath().c_str(), -1) : nullptr;
  dwfl_report_end(dwfl, nullptr, nullptr);
  const auto& addresses = Addresses();
  if (!module || addresses.empty()) {
    state.SkipWithError("libdw cannot read the module");
    dwfl_end(dwfl);
    return;
  }
  // An offline module may be placed away from its file addresses.
  GElf_Addr bias = 0;
  dwfl_module_getelf(module, &bias);
  size_t named = 0;
  for (auto _ : state) {
    named = 0;
    for (uintptr_t fileAddress : addresses) {
      const GElf_Addr address = fileAddress + bias;
      Dwfl_Module* found = dwfl_addrmodule(dwfl, address);
      GElf_Off offset = 0;
      GElf_Sym symbol;
      const char* name = found ? dwfl_module_addrinfo(found, address, &offset, &symbol, nullptr, nullptr, nullptr)
                               : nullptr;
      named += name != nullptr;
      int line = 0;
      if (Dwfl_Line* row = found ? dwfl_module_getsrc(found, address) : nullptr)
        dwfl_lineinfo(row, nullptr, &line, nullptr, nullptr, nullptr);
      benchmark::DoNotOptimize(line);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations() * addresses.size()));
  state.counters["named"] = double(named);
  dwfl_end(dwfl);
}
BENCHMARK(BM_LibdwLookup)->Unit(benchmark::kMillisecond);

}  // namespace
