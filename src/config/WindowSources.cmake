# The main window (configuration editor); its fallback toolbar pictures are compiled in
# (CMakeLists.txt).
list(APPEND config_sources
  ${CMAKE_CURRENT_LIST_DIR}/fCfgMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fCfgMainControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fCfgMainRules.cpp
)
list(APPEND config_deps brenvoll::shell Qt6::Widgets)
