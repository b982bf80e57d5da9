# "make install" lays out the same image under the prefix:
#   <prefix>/lib/zoruvede/{bin,Themes,Language,option.cfg}, with launchers in <prefix>/bin,
#   a desktop entry and the icon for the desktop's menus.
include(GNUInstallDirs)
set(ZORUVEDE_IMAGE_DIR ${CMAKE_INSTALL_LIBDIR}/zoruvede)
install(TARGETS zoruvede RUNTIME DESTINATION ${ZORUVEDE_IMAGE_DIR}/bin)
if(TARGET zoruvede-cli)
  install(TARGETS zoruvede-cli RUNTIME DESTINATION ${ZORUVEDE_IMAGE_DIR}/bin)
endif()
install(DIRECTORY ${CMAKE_BINARY_DIR}/Themes ${CMAKE_BINARY_DIR}/Language
        DESTINATION ${ZORUVEDE_IMAGE_DIR})
install(FILES ${CMAKE_BINARY_DIR}/option.cfg DESTINATION ${ZORUVEDE_IMAGE_DIR})
install(CODE "
  file(MAKE_DIRECTORY \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR})
  foreach(exe zoruvede zoruvede-cli)
    if(EXISTS \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${ZORUVEDE_IMAGE_DIR}/bin/\${exe})
      execute_process(COMMAND \${CMAKE_COMMAND} -E create_symlink
        ../${ZORUVEDE_IMAGE_DIR}/bin/\${exe}
        \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${exe})
    endif()
  endforeach()
")
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zoruvede.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/zoruvede.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
