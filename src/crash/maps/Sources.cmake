# Symbol maps and address lookup, with the Blowfish cipher of the packed maps.
set(maps_dir ${CMAKE_CURRENT_LIST_DIR})
list(APPEND crash_sources
  ${maps_dir}/../Blowfish.cpp
  ${maps_dir}/MapOrder.cpp
  ${maps_dir}/PackedContainer.cpp
  ${maps_dir}/PackedMap.cpp
)
list(APPEND crash_deps ZLIB::ZLIB)
