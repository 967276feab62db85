# Symbol maps and address lookup, with the Blowfish cipher of the packed maps.
set(maps_dir ${CMAKE_CURRENT_LIST_DIR})
list(APPEND crash_sources
  ${maps_dir}/../Blowfish.cpp
  ${maps_dir}/ElfImage.cpp
  ${maps_dir}/MapCache.cpp
  ${maps_dir}/MapLookup.cpp
  ${maps_dir}/MapOrder.cpp
  ${maps_dir}/MapSources.cpp
  ${maps_dir}/MappedFile_posix.cpp
  ${maps_dir}/ModuleImage_posix.cpp
  ${maps_dir}/PackedContainer.cpp
  ${maps_dir}/PackedMap.cpp
  ${maps_dir}/PublicNaming.cpp
  ${maps_dir}/SegmentJoin.cpp
  ${maps_dir}/Td32Map.cpp
  ${maps_dir}/TextMap.cpp
  ${maps_dir}/Undecorate.cpp
)
list(APPEND crash_deps ZLIB::ZLIB)
