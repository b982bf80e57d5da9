# "make install" lays out the same image under the prefix:
#   <prefix>/lib/zoruvede/{bin,Themes,Language,option.cfg}, with launchers in <prefix>/bin,
#   a desktop entry, icons and AppStream metadata for the desktop's menus and software centre.
include(GNUInstallDirs)
# A private folder of the program, not a library folder: the multiarch library path that
# GNUInstallDirs picks for /usr would only move it, and the launchers' relative links with it.
set(ZORUVEDE_IMAGE_DIR lib/zoruvede)
install(TARGETS zoruvede RUNTIME DESTINATION ${ZORUVEDE_IMAGE_DIR}/bin)
if(TARGET zoruvede-cli)
  install(TARGETS zoruvede-cli RUNTIME DESTINATION ${ZORUVEDE_IMAGE_DIR}/bin)
endif()
install(DIRECTORY ${CMAKE_BINARY_DIR}/Themes ${CMAKE_BINARY_DIR}/Language
        DESTINATION ${ZORUVEDE_IMAGE_DIR})
install(FILES ${CMAKE_BINARY_DIR}/option.cfg DESTINATION ${ZORUVEDE_IMAGE_DIR})
# Relative links: the program finds its data beside its real executable, and the image can
# be moved or staged (DESTDIR, a package) without the links pointing outside it.
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
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${ZORUVEDE_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${ZORUVEDE_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/${size}x${size}/${ZORUVEDE_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
# The manual pages and the bash completion, made by the build from the usage texts.
install(FILES ${CMAKE_BINARY_DIR}/man/zoruvede.1.gz ${CMAKE_BINARY_DIR}/man/zoruvede-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/completion/zoruvede ${CMAKE_BINARY_DIR}/completion/zoruvede-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
# The changelog compressed as Debian's documentation has it (-n: the same bytes every build).
set(ZORUVEDE_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${ZORUVEDE_CHANGELOG_GZ}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/changelog
          ${CMAKE_BINARY_DIR}/packaging/changelog
  COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/packaging/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_target(zoruvede_changelog ALL DEPENDS ${ZORUVEDE_CHANGELOG_GZ})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${CMAKE_SOURCE_DIR}/README.md
              ${ZORUVEDE_CHANGELOG_GZ}
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The licence's full text, for installations outside a package manager; a Debian system has
# it in /usr/share/common-licenses, which the copyright file names, so the package leaves it
# out (cmake/Package.cmake packs only the default component).
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR}
        COMPONENT licence_text)
