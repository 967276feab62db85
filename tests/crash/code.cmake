# Code analysis: decoder and analysis tests, and the cross-check against capstone.
add_library(code_objdump_listing STATIC code/ObjdumpListing.cpp)

add_executable(CapstoneCrossCheck code/CapstoneCrossCheck.cpp)
target_link_libraries(CapstoneCrossCheck PRIVATE brenvoll::crash code_objdump_listing capstone)
set_target_properties(CapstoneCrossCheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_executable(CallSiteRecall code/CallSiteRecall.cpp)
target_link_libraries(CallSiteRecall PRIVATE brenvoll::crash code_objdump_listing)
set_target_properties(CallSiteRecall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

brenvoll_test(CodeDecoderTest SOURCES code/DecoderTest.cpp DEPS brenvoll::crash)
brenvoll_test(CodeGuardedReadTest SOURCES code/GuardedReadTest.cpp DEPS brenvoll::crash Threads::Threads)
brenvoll_test(CodeAnalysisCompiledTest SOURCES code/AnalysisCompiledTest.cpp code/SampleFunctions.cpp
              DEPS brenvoll::crash ${CMAKE_DL_LIBS})
# The samples need the optimiser's shapes (jump tables, tail jumps) in every build type,
# and their names in the dynamic symbols, where the analysis of live code looks them up.
# Sanitizer builds would wrap them in checking calls that change those shapes.
set_source_files_properties(code/SampleFunctions.cpp PROPERTIES COMPILE_OPTIONS "-O2;-fno-inline;-fno-sanitize=all")
set_target_properties(CodeAnalysisCompiledTest PROPERTIES ENABLE_EXPORTS ON)
brenvoll_test(CodeAnalysisPatternsTest SOURCES code/AnalysisPatternsTest.cpp DEPS brenvoll::crash)

# The decoder against capstone (and objdump where capstone cannot decode) over a program
# of ours and the C library; the call sites against objdump's call instructions.
add_test(NAME code.CapstoneAgreement
         COMMAND CapstoneCrossCheck --quiet $<TARGET_FILE:CodeAnalysisCompiledTest> /lib/x86_64-linux-gnu/libc.so.6)
add_test(NAME code.CallSiteRecall COMMAND CallSiteRecall $<TARGET_FILE:CodeAnalysisCompiledTest>)
