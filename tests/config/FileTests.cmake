# The configuration file, the settings file, the Access path from the Wine registry, and
# the reference compactor run end to end (tools/compactor adds the build dependency).
brenvoll_test(config_file_tests SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CompactionConfigTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppSettingsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WineRegistryTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DefaultAccessPathTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CompactorTest.cpp
  DEPS brenvoll::config)
