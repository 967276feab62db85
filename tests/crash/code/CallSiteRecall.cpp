// For every function of an ELF file, compares the call sites the function analysis finds
// (with or without a known target) with the call instructions `objdump -d` lists inside the function's symbol bounds.
// Usage: CallSiteRecall FILE [--verbose]. Prints the figures; exit status 1 when recall is
// below 99% or any call site is invented (no call instruction of objdump's at that
// address with that return address).
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "crash/code/ElfFileImage.h"
#include "crash/code/FunctionAnalysis.h"
#include "ObjdumpListing.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: CallSiteRecall FILE [--verbose]\n");
    return 2;
  }
  const bool verbose = argc > 2 && std::strcmp(argv[2], "--verbose") == 0;
  ElfFileImage image;
  std::string error;
  if (!image.Load(argv[1], error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  // Call instructions by address, with their return address.
  std::map<uint64_t, uint64_t> calls;
  for (const auto& [address, insn] : ObjdumpListing(argv[1], false))
    if (insn.call) calls[address] = address + uint64_t(insn.length);
  uint64_t expected = 0, found = 0, invented = 0, outside = 0, functions = 0, invalid = 0, tails = 0;
  // The parts split off into "f.cold" count with their function f. Constructors and
  // destructors have one body under two names (C1/C2, D1/D2), of which the image keeps one;
  // local functions of two units may share a name, so a part counts with the function of
  // that name whose walk reaches it.
  std::multimap<std::string, const ElfFunctionSymbol*> coldParts;
  for (const ElfFunctionSymbol& fn : image.Functions()) {
    if (fn.name.size() <= 5 || fn.name.compare(fn.name.size() - 5, 5, ".cold") != 0) continue;
    const std::string base = fn.name.substr(0, fn.name.size() - 5);
    coldParts.emplace(base, &fn);
    for (const char* pair : {"C1C2", "C2C1", "D1D2", "D2D1"}) {
      for (size_t at = base.find(std::string(pair, 2) + "E"); at != std::string::npos;
           at = base.find(std::string(pair, 2) + "E", at + 1)) {
        std::string alias = base;
        alias.replace(at, 2, pair + 2, 2);
        coldParts.emplace(alias, &fn);
      }
    }
  }
  auto inside = [](const ElfFunctionSymbol* fn, uint64_t address) {
    return fn && address >= fn->address && address < fn->address + fn->size;
  };
  for (const ElfFunctionSymbol& fn : image.Functions()) {
    if (fn.size == 0 || fn.address < image.CodeStart() || fn.address >= image.CodeEnd() ||
        fn.name.find(".cold") != std::string::npos)
      continue;
    ++functions;
    TFunctionInfo info = AnalyzeFunction(fn.address, image, CodeMode::Bits64, image);
    std::string name = fn.name;
    if (name.size() > 11 && name.compare(name.size() - 11, 11, ".localalias") == 0) name.resize(name.size() - 11);
    const auto [first, last] = coldParts.equal_range(name);
    const ElfFunctionSymbol* cold = std::distance(first, last) == 1 ? first->second : nullptr;
    for (auto part = first; part != last; ++part)
      for (const TCodeArea& area : info.areas)
        if (inside(part->second, area.start)) cold = part->second;
    if (!info.valid) ++invalid;
    // Calls with a target and calls whose target is unknown both tell return addresses.
    std::vector<TCallSite> sites = info.callSites;
    for (const TUnresolvedSite& u : info.unresolved) sites.push_back({u.call, u.address, u.next});
    std::map<uint64_t, bool> seen;
    for (const TCallSite& site : sites) {
      if (!site.call) {
        tails += site.targetField || site.targetCell;
        continue;
      }
      auto real = calls.find(site.address);
      if (real == calls.end() || real->second != site.next) {
        ++invented;
        if (verbose) std::printf("invented %s: %" PRIx64 "\n", fn.name.c_str(), site.address);
        continue;
      }
      if (inside(&fn, site.address) || inside(cold, site.address)) seen[site.address] = true;
      else {
        ++outside;
        if (verbose) std::printf("outside %s: %" PRIx64 "\n", fn.name.c_str(), site.address);
      }
    }
    for (const ElfFunctionSymbol* part : {&fn, cold}) {
      if (!part) continue;
      for (auto it = calls.lower_bound(part->address); it != calls.end() && inside(part, it->first); ++it) {
        ++expected;
        if (seen.count(it->first)) ++found;
        else if (verbose) std::printf("missed %s: %" PRIx64 "\n", fn.name.c_str(), it->first);
      }
    }
  }
  const double recall = expected ? 100.0 * double(found) / double(expected) : 100.0;
  std::printf("%s: %" PRIu64 " functions (%" PRIu64 " with undecodable code), %" PRIu64
              " call instructions inside their bounds, %" PRIu64 " found (%.2f%%), %" PRIu64
              " invented; %" PRIu64 " real calls found outside the bounds, %" PRIu64
              " tail jumps\n",
              argv[1], functions, invalid, expected, found, recall, invented, outside, tails);
  return recall >= 99.0 && invented == 0 ? 0 : 1;
}
