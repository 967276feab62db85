# Symbol maps: the cipher, the readers of every source, the loader and its cache, the
# lookups, and the map that fbxmap writes of a real program, embedded and stripped.

# A tiny program with its map embedded the way the build embeds BrenvollAdmin's, then
# stripped: it must still name its own addresses.
add_executable(maps_fixture_program maps/fixture/MapsFixtureProgram.cpp)
target_link_libraries(maps_fixture_program PRIVATE brenvoll::crash)
target_compile_options(maps_fixture_program PRIVATE -O0 -g)
set_target_properties(maps_fixture_program PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/maps)
set(maps_fixture_stripped ${CMAKE_BINARY_DIR}/tests/maps/stripped/maps_fixture_program)
add_custom_command(OUTPUT ${maps_fixture_stripped}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/tests/maps/stripped
  COMMAND fbxmap write $<TARGET_FILE:maps_fixture_program> ${maps_fixture_stripped}.fbx
  COMMAND ${CMAKE_OBJCOPY} --add-section .fbx.EXCEPT=${maps_fixture_stripped}.fbx
          $<TARGET_FILE:maps_fixture_program> ${maps_fixture_stripped}.embedded
  COMMAND ${CMAKE_STRIP} -o ${maps_fixture_stripped} ${maps_fixture_stripped}.embedded
  COMMAND ${CMAKE_COMMAND} -E remove ${maps_fixture_stripped}.fbx ${maps_fixture_stripped}.embedded
  DEPENDS maps_fixture_program fbxmap
  VERBATIM)
add_custom_target(maps_fixture_stripped ALL DEPENDS ${maps_fixture_stripped})

add_library(maps_fixture_library SHARED maps/fixture/MapsFixtureLibrary.cpp)
target_compile_options(maps_fixture_library PRIVATE -O1 -g)
set_target_properties(maps_fixture_library PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/maps)

brenvoll_test(maps_test
  SOURCES
    maps/BlowfishTest.cpp
    maps/PackedMapTest.cpp
    maps/TextMapTest.cpp
    maps/Td32MapTest.cpp
    maps/LookupTest.cpp
    maps/MapSourcesTest.cpp
    maps/FixtureProgramTest.cpp
  DEPS brenvoll::crash ${CMAKE_DL_LIBS})
add_dependencies(maps_test maps_fixture_stripped maps_fixture_library)
target_compile_definitions(maps_test PRIVATE
  MAPS_FIXTURE_PROGRAM="$<TARGET_FILE:maps_fixture_program>"
  MAPS_FIXTURE_STRIPPED="${maps_fixture_stripped}"
  MAPS_FIXTURE_LIBRARY="$<TARGET_FILE:maps_fixture_library>"
  MAPS_OBJCOPY="${CMAKE_OBJCOPY}")
