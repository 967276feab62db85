// fbxmap check MODULE [COUNT]: how well the module's map agrees with binutils. Picks
// COUNT addresses (default 3000) inside the functions that `nm -C -S` lists and compares
// the function named by the map with the symbol nm places the address in and with the
// outermost function of `addr2line -f -C -i`, and the map's line with the line of that
// outermost frame (the line in the function's own source file) where both know one.
// Exits 1 when a function name disagrees.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
  std::string name;
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

std::vector<NmSymbol> FunctionSymbols(const std::string& module) {
  std::vector<NmSymbol> symbols;
  for (const auto& line : Run("nm -C -S --defined-only " + Quoted(module))) {
    std::istringstream in(line);
    std::string address, size, type;
    if (!(in >> address >> size >> type) || type.size() != 1 || std::string("tTwW").find(type) == std::string::npos)
      continue;
    std::string name;
    std::getline(in >> std::ws, name);
    const uintptr_t length = std::strtoull(size.c_str(), nullptr, 16);
    if (length) symbols.push_back({std::strtoull(address.c_str(), nullptr, 16), length, name});
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

// The bare name of a function: no clone suffix, parameters, template arguments or
// scope, since addr2line names functions as the debug information does (often briefly).
std::string BareName(std::string name) {
  for (size_t clone; (clone = name.find(" [clone ")) != std::string::npos;) name.erase(clone);
  for (size_t anonymous; (anonymous = name.find("(anonymous namespace)")) != std::string::npos;)
    name.replace(anonymous, 21, "anonymous");
  std::string bare;
  int depth = 0;
  for (size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '<' && !(i > 8 && name.compare(i - 8, 8, "operator") == 0)) ++depth;
    else if (c == '>' && depth) --depth;
    else if (c == '(' && depth == 0 && !bare.empty()) break;
    else if (depth == 0) bare += c;
  }
  // Template functions carry their result type in front.
  const size_t scope = bare.rfind("::");
  if (scope != std::string::npos) bare.erase(0, scope + 2);
  const size_t blank = bare.rfind(' ');
  return blank == std::string::npos || bare.compare(0, 8, "operator") == 0 ? bare : bare.substr(blank + 1);
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

  size_t nmAgree = 0, addr2lineAgree = 0, addr2lineBareAgree = 0, bothLines = 0, linesAgree = 0, onlyOurs = 0, onlyTheirs = 0;
  for (size_t i = 0; i < addresses.size(); ++i) {
    TAddressInfo info;
    LookupAddressIn(*map, addresses[i], info);
    const std::string name = UndecorateName(info.publicName);
    const bool inNm = std::any_of(symbols.begin(), symbols.end(), [&](const NmSymbol& s) {
      return s.name == name && s.address <= addresses[i] && addresses[i] - s.address < s.size;
    });
    nmAgree += inNm;
    addr2lineAgree += name == frames[i].function;
    const bool bareAgrees = BareName(name) == BareName(frames[i].function);
    addr2lineBareAgree += bareAgrees;
    if (!inNm || !bareAgrees)
      std::fprintf(stderr, "function %lx: map %s, addr2line %s\n", static_cast<unsigned long>(addresses[i]),
                   name.c_str(), frames[i].function.c_str());
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
  std::printf("function agrees with nm -C       %zu (%.2f %%)\n", nmAgree, Percent(nmAgree, n));
  std::printf("function agrees with addr2line   %zu (%.2f %%) in full, %zu (%.2f %%) by bare name\n",
              addr2lineAgree, Percent(addr2lineAgree, n), addr2lineBareAgree, Percent(addr2lineBareAgree, n));
  std::printf("line known to both               %zu, agreeing %zu (%.2f %%)\n", bothLines, linesAgree,
              Percent(linesAgree, bothLines));
  std::printf("line known only to the map       %zu\n", onlyOurs);
  std::printf("line known only to addr2line     %zu\n", onlyTheirs);
  return nmAgree == n ? 0 : 1;
}
