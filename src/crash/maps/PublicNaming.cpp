#include "crash/maps/PublicNaming.h"

#include <strings.h>

#include "crash/maps/Undecorate.h"

bool IsSkippedPublicName(const std::string& name) {
  return name.size() >= 5 && name[0] == '@' && name[1] == '$' && name[2] == 'x' && name[4] == '$';
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string NamePublic(const TMapFile& map, bool code, uintptr_t address, const std::string& name) {
  std::string plain = UndecorateName(name);
  const TMfSegment segment = SegmentAt(map, code, address);
  if (segment.valid && plain == segment.unit) return "initialization";
  return plain;
}

std::string TrimUnitExtension(std::string unit) {
  if (unit.size() > 4) {
    const std::string tail = unit.substr(unit.size() - 4);
    if (EqualIgnoringCase(tail, ".dpr") || EqualIgnoringCase(tail, ".pas")) unit.resize(unit.size() - 4);
  }
  return unit;
}
