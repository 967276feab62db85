# `cmake --install`: the application directory (the program with everything it keeps
# beside itself) under lib/brenvoll, a command in bin, and a launcher with its icon.
include(GNUInstallDirs)
set(install_app_dir ${CMAKE_INSTALL_LIBDIR}/brenvoll)

install(TARGETS BrenvollAdmin RUNTIME DESTINATION ${install_app_dir})
install(FILES ${BRENVOLL_APP_DIR}/Brenvoll.qch ${BRENVOLL_APP_DIR}/Brenvoll.qhc
  DESTINATION ${install_app_dir})
# The reference compactor the program runs, when it was built.
install(PROGRAMS ${BRENVOLL_APP_DIR}/Brenvoll.exe DESTINATION ${install_app_dir} OPTIONAL)

foreach(size 48 96 256)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/brenvoll-admin-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME brenvoll-admin.png)
endforeach()

# The launcher and the command name the installed program by the prefix given at install
# time, which `cmake --install --prefix` may change after configuring.
set(desktop_template ${CMAKE_CURRENT_LIST_DIR}/brenvoll-admin.desktop.in)
install(CODE "
  set(app_dir \"\${CMAKE_INSTALL_PREFIX}/${install_app_dir}\")
  set(share \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
  configure_file(\"${desktop_template}\" \"\${share}/applications/brenvoll-admin.desktop\" @ONLY)
  message(STATUS \"Installing: \${share}/applications/brenvoll-admin.desktop\")
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(CREATE_LINK \"../${install_app_dir}/BrenvollAdmin\" \"\${bin}/BrenvollAdmin\" SYMBOLIC)
  message(STATUS \"Installing: \${bin}/BrenvollAdmin\")
")
