# Code analysis: instruction decoding, function analysis, guarded reads.
list(APPEND crash_sources
  ${CMAKE_CURRENT_LIST_DIR}/MemoryReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpcodeTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Instruction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuardedRead.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuardedRead_posix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ElfFileImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WalkState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UnwindTables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NonReturning.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FunctionAnalysis.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LiveCode_posix.cpp
)
list(APPEND crash_deps ${CMAKE_DL_LIBS})
