#include "MapOfAnyFile.h"

#include "crash/maps/ElfImage.h"
#include "crash/maps/MappedFile.h"
#include "crash/maps/PackedMap.h"
#include "crash/maps/Td32Map.h"
#include "crash/maps/TextMap.h"

TMapFilePtr MapOfAnyFile(const std::string& path) {
  TMappedFile file(path);
  if (file.IsOpen() && LooksLikeElf(file.Bytes())) return LoadMapOfFile(path);
  auto map = std::make_shared<TMapFile>();
  map->fileName = map->sourceName = path;
  map->loaded = file.IsOpen() && (ReadPackedMap(file.Bytes(), *map) || ReadTd32(file.Bytes(), *map) ||
                                  ReadTextMap(file.Bytes(), *map));
  return map;
}
