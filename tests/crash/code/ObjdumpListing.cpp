#include "ObjdumpListing.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

// Prefix words objdump writes before the mnemonic.
bool IsPrefixWord(std::string_view word) {
  for (std::string_view p : {"bnd", "notrack", "lock", "rep", "repz", "repnz", "repe", "repne", "data16",
                             "data32", "addr16", "addr32", "cs", "ds", "es", "fs", "gs", "ss", "xacquire",
                             "xrelease"})
    if (word == p) return true;
  return word.substr(0, 3) == "rex";
}

}  // namespace

std::map<uint64_t, ObjdumpInstruction> ObjdumpListing(const std::string& file, bool bits32) {
  std::map<uint64_t, ObjdumpInstruction> listing;
  const std::string command =
      std::string("objdump -d -w ") + (bits32 ? "-M i386 " : "") + "'" + file + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return listing;
  char line[8192];
  while (std::fgets(line, sizeof line, pipe)) {
    char* end;
    const uint64_t address = std::strtoull(line, &end, 16);
    if (end == line || *end != ':' || line[0] != ' ') continue;
    // address:\tbytes\tinstruction
    char* bytes = std::strchr(end, '\t');
    if (!bytes) continue;
    char* text = std::strchr(bytes + 1, '\t');
    ObjdumpInstruction insn;
    for (char* b = bytes + 1; *b && b != text; ++b)
      if (std::isxdigit(static_cast<unsigned char>(b[0])) && std::isxdigit(static_cast<unsigned char>(b[1]))) {
        ++insn.length;
        ++b;
      }
    if (text) {
      std::string_view rest(text + 1);
      while (!rest.empty() && (rest.back() == '\n' || rest.back() == ' ')) rest.remove_suffix(1);
      insn.text = std::string(rest);
      std::string_view word;
      while (true) {
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        const size_t blank = rest.find(' ');
        word = rest.substr(0, blank);
        rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank);
        if (!IsPrefixWord(word)) break;
      }
      insn.invalid = word == "(bad)";
      insn.partly = !insn.invalid && insn.text.find("(bad)") != std::string::npos;
      insn.call = word.substr(0, 4) == "call" || word == "lcall";
      insn.jump = (word.size() > 1 && word[0] == 'j') || word.substr(0, 4) == "loop" || word == "ljmp";
      while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
      if ((insn.call || insn.jump) && !rest.empty() && std::isxdigit(static_cast<unsigned char>(rest.front()))) {
        insn.hasTarget = true;
        insn.target = std::strtoull(std::string(rest).c_str(), nullptr, 16);
      }
    } else {
      continue;  // bytes without an instruction: padding objdump does not decode
    }
    if (listing.count(address) == 0) listing[address] = insn;
  }
  pclose(pipe);
  return listing;
}
