# Screens a recording takes its pictures from: the region and its geometry, the way to the
# screen chosen from the session, and the sources themselves (X11's shared-memory images with
# the pointer, its windows and the stop shortcut; the desktop portal's PipeWire stream on
# Wayland). Uses the folders below it (base/ to jobs/).

set(SOURCES
  capture_backend.cpp
  screen_opening.cpp
  screen_pixels.cpp
  x11_errors.cpp
  x11_screen.cpp
  x11_stop_key.cpp
  x11_windows.cpp)

# The X server's screen: its shared-memory images and the pointer's picture.
pkg_check_modules(X11_CAPTURE REQUIRED IMPORTED_TARGET x11 xext xfixes)
list(APPEND CORE_LIBS PkgConfig::X11_CAPTURE)

# The desktop portal's screen on Wayland and its PipeWire stream.
list(APPEND SOURCES
  pipewire_stream.cpp
  portal_choices.cpp
  portal_screen.cpp
  stream_picture.cpp)
pkg_check_modules(PORTAL REQUIRED IMPORTED_TARGET libportal libpipewire-0.3)
list(APPEND CORE_LIBS PkgConfig::PORTAL)
