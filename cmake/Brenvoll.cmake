# Helpers that give every library, test, fuzz target and benchmark the same shape.

# brenvoll_library(<folder> [QT] SOURCES ... [DEPS ...])
# Makes the static library brenvoll_<folder> with the alias brenvoll::<folder>.
# Headers are included from the src/ root: #include "profile/IniFile.h".
# QT runs moc on the library (only window code uses Qt).
function(brenvoll_library folder)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_library(brenvoll_${folder} STATIC ${ARG_SOURCES})
  add_library(brenvoll::${folder} ALIAS brenvoll_${folder})
  target_include_directories(brenvoll_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(brenvoll_${folder} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    set_target_properties(brenvoll_${folder} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# brenvoll_test(<name> [QT] SOURCES ... [DEPS ...])
# QT: moc on, and a main that creates the QApplication (window tests).
# A GoogleTest executable in build/tests, its cases registered one by one with CTest.
# GUI tests run on the offscreen platform, so no display is needed.
function(brenvoll_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
  if(ARG_QT)
    set(test_main brenvoll::qttestmain)
  else()
    set(test_main GTest::gtest_main)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} brenvoll::testsupport GTest::gmock ${test_main})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    BRENVOLL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    BRENVOLL_APP_DIR="${BRENVOLL_APP_DIR}/")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# brenvoll_fuzz(<name> SOURCES ... [DEPS ...])
# With BRENVOLL_FUZZ (clang): a libFuzzer binary in build/fuzz.
# Otherwise: the same entry point under a small driver that replays the seed corpus
# tests/fuzz/corpus/<name>/, registered as a test so the target always builds and its
# seeds keep passing.
function(brenvoll_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(all_fuzzers ${name})
  if(BRENVOLL_FUZZ)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${name} PRIVATE brenvoll::fuzzreplay)
    set(corpus ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name})
    add_test(NAME ${name}.seeds COMMAND ${name} ${corpus})
  endif()
endfunction()

# brenvoll_bench(<name> SOURCES ... [DEPS ...]): a Google Benchmark binary in build/bench.
function(brenvoll_bench name)
  if(NOT BRENVOLL_BENCH)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()

# brenvoll_pictures(<target> <header name> <name>=<file.png>[@<size>] ...)
# Compiles the PNG pictures into <target> as pixels (embed_pictures, tools/pictures):
# files relative to the calling folder, the header included as "<header name>.h".
function(brenvoll_pictures target header)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/pictures)
  set(requests)
  set(files)
  foreach(request IN LISTS ARGN)
    string(REGEX REPLACE "^([^=]+)=([^@]+)(.*)$" "\\1=${CMAKE_CURRENT_SOURCE_DIR}/\\2\\3"
           request "${request}")
    string(REGEX REPLACE "^[^=]+=([^@]+).*$" "\\1" file "${request}")
    list(APPEND requests ${request})
    list(APPEND files ${file})
  endforeach()
  add_custom_command(
    OUTPUT ${out_dir}/${header}.h ${out_dir}/${header}.cpp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND embed_pictures ${out_dir}/${header}.h ${out_dir}/${header}.cpp ${requests}
    DEPENDS embed_pictures ${files}
    COMMENT "Compiling the pictures of ${header}")
  target_sources(${target} PRIVATE ${out_dir}/${header}.h ${out_dir}/${header}.cpp)
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
