# The configuration file, the application settings file and the Access program's default
# path (from the Wine prefix's registry).
list(APPEND config_sources
  ${CMAKE_CURRENT_LIST_DIR}/CompactionConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WineRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefaultAccessPath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefaultAccessPath_posix.cpp
)
