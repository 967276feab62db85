# The help file beside the program: the pages compressed into Brenvoll.qch and the
# collection Brenvoll.qhc that the help viewer opens.
find_program(BRENVOLL_QHELPGENERATOR qhelpgenerator
  HINTS /usr/lib/qt6/libexec ${QT6_INSTALL_PREFIX}/libexec REQUIRED)

set(help_dir ${CMAKE_CURRENT_LIST_DIR})
file(GLOB help_pages CONFIGURE_DEPENDS ${help_dir}/*.html ${help_dir}/*.css)
set(help_qch ${BRENVOLL_APP_DIR}/Brenvoll.qch)
set(help_qhc ${BRENVOLL_APP_DIR}/Brenvoll.qhc)
# The collection names the compressed file by a path relative to itself, so the two
# stay usable wherever the folder is moved or installed.
set(help_qhcp ${CMAKE_CURRENT_BINARY_DIR}/Brenvoll.qhcp)
file(WRITE ${help_qhcp}.in [=[<?xml version="1.0" encoding="UTF-8"?>
<QHelpCollectionProject version="1.0">
  <docFiles><register><file>@help_qch@</file></register></docFiles>
</QHelpCollectionProject>
]=])
configure_file(${help_qhcp}.in ${help_qhcp} @ONLY)

add_custom_command(
  OUTPUT ${help_qch} ${help_qhc}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${help_qch} ${help_qhc}
  COMMAND ${BRENVOLL_QHELPGENERATOR} -s ${help_dir}/Brenvoll.qhp -o ${help_qch}
  COMMAND ${BRENVOLL_QHELPGENERATOR} -s ${help_qhcp} -o ${help_qhc}
  DEPENDS ${help_dir}/Brenvoll.qhp ${help_pages} ${help_qhcp}
  COMMENT "Building the help file"
  VERBATIM)
add_custom_target(BrenvollHelp ALL DEPENDS ${help_qch} ${help_qhc})
add_dependencies(BrenvollAdmin BrenvollHelp)
