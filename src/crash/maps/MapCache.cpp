// The process-wide cache of loaded maps: one entry per module file, dropped and loaded
// anew when the file the map came from has changed since (or the module was loaded
// again elsewhere). Maps read from a ".map" or ".fbx" file beside the module are cached
// under the module's name too, with the time of that file, so they are not read again
// for every lookup.
#include <mutex>

#include "crash/maps/MapFile.h"
#include "crash/maps/MapSources.h"
#include "crash/maps/MappedFile.h"

namespace {

struct CacheEntry {
  std::string moduleFile;
  TMapFilePtr map;
  std::string sourceFile;
  int64_t sourceTime;
};

std::mutex cacheLock;
std::vector<CacheEntry> cache;

TMapFilePtr EmptyMap() {
  static const TMapFilePtr empty = std::make_shared<TMapFile>();
  return empty;
}

TMapFilePtr CachedOrLoaded(const TModuleImage& image) {
  std::lock_guard<std::mutex> hold(cacheLock);
  for (size_t i = 0; i < cache.size(); ++i) {
    CacheEntry& entry = cache[i];
    if (entry.moduleFile != image.fileName) continue;
    if (entry.map->module == image.bias && FileWriteTime(entry.sourceFile) == entry.sourceTime)
      return entry.map;
    entry = std::move(cache.back());
    cache.pop_back();
    break;
  }
  TLoadedMap loaded = LoadModuleMap(image);
  const auto time = FileWriteTime(loaded.sourceFile);
  if (loaded.map->loaded && time) cache.push_back({image.fileName, loaded.map, loaded.sourceFile, *time});
  return loaded.map;
}

}  // namespace

TMapFilePtr GetModuleMap(uintptr_t address) {
  try {
    TModuleImage image;
    if (!FindLoadedModule(address, image)) return EmptyMap();
    return CachedOrLoaded(image);
  } catch (...) {
    return EmptyMap();
  }
}

TMapFilePtr LoadMapOfFile(const std::string& path) {
  try {
    return LoadModuleMap(ModuleImageOfFile(path)).map;
  } catch (...) {
    return EmptyMap();
  }
}

void ClearMapCache() {
  std::lock_guard<std::mutex> hold(cacheLock);
  cache.clear();
}
