# Code analysis: decoder and analysis tests, and the cross-check against capstone.
add_executable(CapstoneCrossCheck code/CapstoneCrossCheck.cpp)
target_link_libraries(CapstoneCrossCheck PRIVATE brenvoll::crash capstone)
set_target_properties(CapstoneCrossCheck PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)

add_executable(CallSiteRecall code/CallSiteRecall.cpp)
target_link_libraries(CallSiteRecall PRIVATE brenvoll::crash)
set_target_properties(CallSiteRecall PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
