#pragma once
// Loading the map of one module from the first source that yields one: the packed map
// embedded in the module's file, TD32 debug information (a ".tds" file beside it), a
// text ".map" file beside it, a packed ".fbx" file beside it.
#include <memory>
#include <string>
#include <string_view>

#include "crash/maps/MapFile.h"
#include "crash/maps/ModuleImage.h"

// The section of a module's file that stands for its resource "EXCEPT" of type "FBX".
inline constexpr std::string_view kEmbeddedMapSection = ".fbx.EXCEPT";

struct TLoadedMap {
  std::shared_ptr<TMapFile> map;  // never null; loaded false when no source yielded one
  std::string sourceFile;         // the file whose change makes the map stale
};

// Without readable headers only the TD32 information and the two map files are tried.
TLoadedMap LoadModuleMap(const TModuleImage& image);
