# "cpack" in the build folder makes the Debian package of the installation image of
# cmake/Install.cmake: build/zoruvede_<version>_<arch>.deb, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zoruvede)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quorvantel)
set(CPACK_PACKAGE_CONTACT "Quorvantel <zoruvede@example.org>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Only the default component: the licence text is left to /usr/share/common-licenses.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Unspecified;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://zoruvede.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated GIF maker for images and video clips")
# The long description; CPack puts the summary before it and writes it in the control file's
# form (continuation lines indented, an empty line as " .").
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
Zoruvede collects pictures as the frames of an animation and saves them as
one animated GIF file. Frames come from PNG, JPEG and BMP images, from every
frame of an existing GIF, and from video clips at a chosen rate.

The frames are arranged in a strip: reordered, duplicated, reversed or played
back and forth, each with a delay of its own if wanted. Every edit can be
undone, the animation previewed, and the work saved as a project. Saved files
can be optimised to store only what changes between frames, and kept within a
size limit.

The package also holds zoruvede-cli, which exports the same files without a
window, from images, clips or saved projects. The interface is translated
into German, French, Italian, Japanese and simplified and traditional Chinese.")
# The libraries the programs link to come from dpkg-shlibdeps. It can't see the toolkit's
# own catalogs (the stock buttons of the translated interface), nor the helpers that only
# some features use: the browser and file manager launcher for the help and folder links,
# and the certificates of the update check over https; the rest of the program works
# without them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "wx3.2-i18n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, ca-certificates")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
