#pragma once
// How the text and TD32 sources name their publics.
#include <string>

#include "crash/maps/MapFile.h"

// True for the compiler's helper names that a map does not keep ("@$x?$...").
bool IsSkippedPublicName(const std::string& name);

// The name of a public at address of that kind, given the map's segments as read so
// far: a decorated name is undecorated, and a name equal to the unit of its segment is
// that unit's start-up code, "initialization". (Decorated names of this compiler carry no
// unit part, so none is ever put in front of a name.)
std::string NamePublic(const TMapFile& map, bool code, uintptr_t address, const std::string& name);

// Drops a final ".dpr" or ".pas" (any letter case) from a unit name.
std::string TrimUnitExtension(std::string unit);

bool EqualIgnoringCase(const std::string& a, const std::string& b);
