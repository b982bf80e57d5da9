# The GIF format: its blocks and geometry, reading a file record by record and composing its
# frames as a viewer shows them, and writing one (plain or optimised). Uses base/, picture/ and
# colour/.

set(SOURCES
  clear_pixels.cpp
  frame_difference.cpp
  gif_blocks.cpp
  gif_composer.cpp
  gif_frame_reader.cpp
  gif_geometry.cpp
  gif_graphic_control.cpp
  gif_image_indices.cpp
  gif_optimised_writer.cpp
  gif_quality.cpp
  gif_record_reader.cpp
  gif_writer.cpp)

# GIF input is decoded by giflib record by record. Debian ships no pkg-config file for it;
# CMake's own module finds the header and the library.
find_package(GIF REQUIRED)
list(APPEND CORE_LIBS GIF::GIF)
