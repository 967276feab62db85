#include "crash/maps/MapSources.h"

#include <filesystem>

#include "crash/maps/ElfImage.h"
#include "crash/maps/MappedFile.h"
#include "crash/maps/PackedMap.h"
#include "crash/maps/TextMap.h"
#include "crash/maps/Td32Map.h"

namespace {

std::string Beside(const std::string& module, const char* extension) {
  return std::filesystem::path(module).replace_extension(extension).string();
}

bool FromEmbedded(const std::string& module, TMapFile& map) {
  TMappedFile file(module);
  if (!file.IsOpen()) return false;
  const auto section = ElfSection(file.Bytes(), kEmbeddedMapSection);
  return section && ReadPackedMap(*section, map);
}

// Our images carry no TD32 information of their own (they have no debug directory), so
// only a ".tds" file that is not an image can hold it.
bool FromTd32(const std::string& path, TMapFile& map) {
  TMappedFile file(path);
  return file.IsOpen() && !LooksLikeElf(file.Bytes()) && ReadTd32(file.Bytes(), map);
}

bool FromTextMap(const std::string& path, TMapFile& map) {
  TMappedFile file(path);
  return file.IsOpen() && ReadTextMap(file.Bytes(), map);
}

bool FromPackedFile(const std::string& path, TMapFile& map) {
  TMappedFile file(path);
  return file.IsOpen() && ReadPackedMap(file.Bytes(), map);
}

}  // namespace

TLoadedMap LoadModuleMap(const TModuleImage& image) {
  TLoadedMap result{std::make_shared<TMapFile>(), image.fileName};
  TMapFile& map = *result.map;
  map.module = image.bias;
  map.fileName = map.sourceName = image.fileName;
  if (image.headersRead) {
    map.codeRange = image.codeRange;
    map.dataRange = image.dataRange;
    if ((map.loaded = FromEmbedded(image.fileName, map))) return result;
  }
  const std::string tds = Beside(image.fileName, ".tds");
  if ((map.loaded = FromTd32(tds, map))) {
    result.sourceFile = tds;
    return result;
  }
  for (const auto& [extension, read] : {std::pair{".map", &FromTextMap}, std::pair{".fbx", &FromPackedFile}}) {
    const std::string path = Beside(image.fileName, extension);
    if ((map.loaded = read(path, map))) {
      map.sourceName = result.sourceFile = path;
      return result;
    }
  }
  return result;
}
