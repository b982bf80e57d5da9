# Recording the screen: the region and its geometry, the way to the screen chosen from the
# session, the sources of pictures (X11's shared-memory images; the desktop portal's PipeWire
# stream on Wayland) and the recorder that times and keeps the frames. Uses the folders below
# it (base/ to jobs/).

set(SOURCES
  capture_backend.cpp
  capture_region.cpp
  region_editing.cpp
  small_copy_source.cpp)
