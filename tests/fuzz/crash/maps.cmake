# Fuzz targets of the symbol map readers: packed, text, TD32, and the ELF headers.
set(maps_fuzz ${CMAKE_CURRENT_LIST_DIR}/maps)
brenvoll_fuzz(fuzz_packed_map SOURCES ${maps_fuzz}/PackedMapFuzz.cpp DEPS brenvoll::crash)
brenvoll_fuzz(fuzz_text_map SOURCES ${maps_fuzz}/TextMapFuzz.cpp DEPS brenvoll::crash)
brenvoll_fuzz(fuzz_td32_map SOURCES ${maps_fuzz}/Td32MapFuzz.cpp DEPS brenvoll::crash)
brenvoll_fuzz(fuzz_elf_image SOURCES ${maps_fuzz}/ElfImageFuzz.cpp DEPS brenvoll::crash)
