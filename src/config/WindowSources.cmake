# The main window (configuration editor) and its fallback toolbar pictures.
qt_add_resources(config_window_resources ${CMAKE_CURRENT_LIST_DIR}/MainWindowIcons.qrc)
list(APPEND config_sources
  ${CMAKE_CURRENT_LIST_DIR}/fCfgMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fCfgMainControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fCfgMainRules.cpp
  ${config_window_resources}
)
list(APPEND config_deps brenvoll::shell Qt6::Widgets)
