# Code analysis: decoder and analysis tests, and the cross-check against capstone.
add_executable(CapstoneCrossCheck code/CapstoneCrossCheck.cpp)
target_link_libraries(CapstoneCrossCheck PRIVATE brenvoll::crash capstone)
set_target_properties(CapstoneCrossCheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_executable(CallSiteRecall code/CallSiteRecall.cpp)
target_link_libraries(CallSiteRecall PRIVATE brenvoll::crash)
set_target_properties(CallSiteRecall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

brenvoll_test(CodeDecoderTest SOURCES code/DecoderTest.cpp DEPS brenvoll::crash)
brenvoll_test(CodeGuardedReadTest SOURCES code/GuardedReadTest.cpp DEPS brenvoll::crash)
brenvoll_test(CodeAnalysisCompiledTest SOURCES code/AnalysisCompiledTest.cpp code/SampleFunctions.cpp
              DEPS brenvoll::crash ${CMAKE_DL_LIBS})
# The samples need the optimiser's shapes (jump tables, tail jumps) in every build type,
# and their names in the dynamic symbols, where the analysis of live code looks them up.
set_source_files_properties(code/SampleFunctions.cpp PROPERTIES COMPILE_OPTIONS "-O2;-fno-inline")
set_target_properties(CodeAnalysisCompiledTest PROPERTIES ENABLE_EXPORTS ON)
brenvoll_test(CodeAnalysisPatternsTest SOURCES code/AnalysisPatternsTest.cpp DEPS brenvoll::crash)
