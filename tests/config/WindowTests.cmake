# The main window on the offscreen platform, with scripted dialogs.
brenvoll_test(config_window_tests QT SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/window/MainWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/MainWindowCommandsTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window/MainWindowRulesTest.cpp
  DEPS brenvoll::config)
