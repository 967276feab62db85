# Loading BrenvollAdmin's embedded map and looking up addresses, against libdw on the
# same addresses in the same run. The program is found in the application directory at
# run time (it is configured after this folder); another ELF file with a map can be given
# in BRENVOLL_MAP_BENCH_MODULE.
find_package(PkgConfig REQUIRED)
pkg_check_modules(LIBDW REQUIRED IMPORTED_TARGET libdw)
brenvoll_bench(maps_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/maps/MapsBench.cpp DEPS brenvoll::crash PkgConfig::LIBDW)
if(TARGET maps_bench)
  target_compile_definitions(maps_bench PRIVATE MAPS_BENCH_PROGRAM="${BRENVOLL_APP_DIR}/BrenvollAdmin")
endif()
