// fbxmap check MODULE [COUNT]: how well the module's map agrees with binutils. Picks
// COUNT addresses (default 3000) inside the functions that `nm -S` lists and compares the
// function named by the map with the symbol nm places the address in (the same symbol, and
// the same text as `nm -C`) and with the outermost function of `addr2line -f -C -i`, and
// the map's line with the line of that outermost frame (the line in the function's own
// source file) where both know one. Exits 1 when the map names another symbol than nm.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "MapOfAnyFile.h"
#include "crash/maps/Undecorate.h"

namespace {

struct NmSymbol {
  uintptr_t address, size;
  std::string name;   // as in the file
  std::string plain;  // as nm -C writes it
};

struct Frame {
  std::string function;
  int line = 0;  // 0: unknown
};

std::string Quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

std::vector<std::string> Run(const std::string& command) {
  std::vector<std::string> lines;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return lines;
  std::string line;
  for (int c; (c = std::fgetc(pipe)) != EOF;) {
    if (c != '\n') {
      line += char(c);
      continue;
    }
    lines.push_back(line);
    line.clear();
  }
  pclose(pipe);
  return lines;
}

// One symbol per line of nm's listing; nm lists in the same order with and without -C.
std::vector<NmSymbol> FunctionSymbols(const std::string& module) {
  const std::string command = "nm -S --defined-only " + Quoted(module);
  const auto raw = Run(command), plain = Run("nm -C -S --defined-only " + Quoted(module));
  std::vector<NmSymbol> symbols;
  for (size_t i = 0; i < raw.size() && i < plain.size(); ++i) {
    std::istringstream in(raw[i]), inPlain(plain[i]);
    std::string address, size, type, name, plainName;
    if (!(in >> address >> size >> type >> name) || type.size() != 1 ||
        std::string("tTwW").find(type) == std::string::npos || !(inPlain >> address >> size >> type))
      continue;
    std::getline(inPlain >> std::ws, plainName);
    const uintptr_t length = std::strtoull(size.c_str(), nullptr, 16);
    if (length) symbols.push_back({std::strtoull(address.c_str(), nullptr, 16), length, name, plainName});
  }
  return symbols;
}

// The outermost frame addr2line reports for each address, in order.
std::vector<Frame> OutermostFrames(const std::string& module, const std::vector<uintptr_t>& addresses) {
  std::vector<Frame> frames;
  constexpr size_t kBatch = 500;
  for (size_t first = 0; first < addresses.size(); first += kBatch) {
    std::string command = "addr2line -a -f -C -i -e " + Quoted(module);
    for (size_t i = first; i < std::min(addresses.size(), first + kBatch); ++i) {
      char text[24];
      std::snprintf(text, sizeof text, " %lx", static_cast<unsigned long>(addresses[i]));
      command += text;
    }
    const auto lines = Run(command);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].rfind("0x", 0) == 0) {
        frames.emplace_back();
        continue;
      }
      if (frames.empty() || i + 1 >= lines.size()) continue;
      // A frame is a function line and a "file:line" line; the last one is outermost.
      frames.back().function = lines[i];
      const std::string& place = lines[++i];
      const size_t colon = place.rfind(':', place.find(" (discriminator"));
      frames.back().line = colon == std::string::npos ? 0 : std::atoi(place.c_str() + colon + 1);
    }
  }
  return frames;
}

// The bare name of a function: no clone suffix, parameters, qualifiers, template
// arguments, scope or result type, since addr2line names functions as the debug
// information does (often briefly).
std::string BareName(std::string name) {
  for (size_t clone; (clone = name.find(" [clone ")) != std::string::npos;) name.erase(clone);
  for (size_t anonymous; (anonymous = name.find("(anonymous namespace)")) != std::string::npos;)
    name.replace(anonymous, 21, "anonymous");
  for (const char* qualifier : {" const", " volatile", " &&", " &", " noexcept"})
    while (name.size() > std::strlen(qualifier) && name.compare(name.size() - std::strlen(qualifier), std::string::npos, qualifier) == 0)
      name.erase(name.size() - std::strlen(qualifier));
  // Drops a bracketed group that ends the name.
  const auto dropTrailing = [&name](char open, char close) {
    if (name.empty() || name.back() != close) return;
    int depth = 0;
    for (size_t i = name.size(); i-- > 0;) {
      if (name[i] == close) ++depth;
      if (name[i] == open && --depth == 0) {
        name.erase(i);
        return;
      }
    }
  };
  dropTrailing('(', ')');
  dropTrailing('<', '>');
  const size_t scope = name.rfind("::");
  if (scope != std::string::npos) name.erase(0, scope + 2);
  const size_t blank = name.rfind(' ');
  return blank == std::string::npos || name.compare(0, 8, "operator") == 0 ? name : name.substr(blank + 1);
}

double Percent(size_t part, size_t whole) { return whole ? 100.0 * double(part) / double(whole) : 100.0; }

}  // namespace

int RunCheckCommand(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: fbxmap check MODULE [COUNT]\n");
    return 2;
  }
  const std::string module = argv[1];
  const size_t count = argc == 3 ? std::strtoul(argv[2], nullptr, 10) : 3000;
  const TMapFilePtr map = MapOfAnyFile(module);
  const auto symbols = FunctionSymbols(module);
  if (!map->loaded || symbols.empty()) {
    std::fprintf(stderr, "fbxmap: %s has no map or no function symbols\n", module.c_str());
    return 1;
  }

  std::mt19937_64 random(20261210);
  std::vector<uintptr_t> addresses;
  for (size_t i = 0; i < count; ++i) {
    const NmSymbol& symbol = symbols[random() % symbols.size()];
    addresses.push_back(symbol.address + random() % symbol.size);
  }
  const auto frames = OutermostFrames(module, addresses);
  if (frames.size() != addresses.size()) {
    std::fprintf(stderr, "fbxmap: addr2line answered %zu of %zu addresses\n", frames.size(), addresses.size());
    return 1;
  }

  size_t sameSymbol = 0, sameText = 0, cutNames = 0, addr2lineAgree = 0, addr2lineBareAgree = 0;
  size_t bothLines = 0, linesAgree = 0, onlyOurs = 0, onlyTheirs = 0;
  for (size_t i = 0; i < addresses.size(); ++i) {
    TAddressInfo info;
    LookupAddressIn(*map, addresses[i], info);
    const std::string stored(info.publicName), name = UndecorateName(stored);
    // A name longer than a short string holds is kept cut (as its readable form, when the
    // demangler could read it).
    const bool cut = stored.size() == 255;
    cutNames += cut;
    bool symbol = false, text = false;
    for (const auto& s : symbols) {
      if (s.address > addresses[i] || addresses[i] - s.address >= s.size) continue;
      symbol |= cut ? s.plain.compare(0, stored.size(), stored) == 0 || s.name.compare(0, stored.size(), stored) == 0
                    : s.name == stored;
      text |= s.plain == name;
    }
    sameSymbol += symbol;
    sameText += text;
    addr2lineAgree += name == frames[i].function;
    const bool bareAgrees = BareName(name) == BareName(frames[i].function);
    addr2lineBareAgree += bareAgrees;
    if (!symbol || !bareAgrees)
      std::fprintf(stderr, "%s %lx: map %s, addr2line %s\n", symbol ? "function" : "symbol",
                   static_cast<unsigned long>(addresses[i]), name.c_str(), frames[i].function.c_str());
    if (info.line > 0 && frames[i].line > 0) {
      ++bothLines;
      linesAgree += info.line == frames[i].line;
      if (info.line != frames[i].line)
        std::fprintf(stderr, "line %lx: map %d, addr2line %d\n", static_cast<unsigned long>(addresses[i]), info.line,
                     frames[i].line);
    } else if (info.line > 0) {
      ++onlyOurs;
    } else if (frames[i].line > 0) {
      ++onlyTheirs;
    }
  }
  const size_t n = addresses.size();
  std::printf("addresses %zu in %zu function symbols of %s\n", n, symbols.size(), module.c_str());
  std::printf("same symbol as nm                 %zu (%.2f %%), %zu of them names cut to 255 bytes\n", sameSymbol,
              Percent(sameSymbol, n), cutNames);
  std::printf("same text as nm -C               %zu (%.2f %%)\n", sameText, Percent(sameText, n));
  std::printf("same function as addr2line       %zu (%.2f %%) in full, %zu (%.2f %%) by bare name\n",
              addr2lineAgree, Percent(addr2lineAgree, n), addr2lineBareAgree, Percent(addr2lineBareAgree, n));
  std::printf("line known to both               %zu, agreeing %zu (%.2f %%)\n", bothLines, linesAgree,
              Percent(linesAgree, bothLines));
  std::printf("line known only to the map       %zu\n", onlyOurs);
  std::printf("line known only to addr2line     %zu\n", onlyTheirs);
  return sameSymbol == n ? 0 : 1;
}
