# Animation files other than GIF: the contract of their writers, and the animated PNG's chunks,
# writer and reader (the canvas its frames are composed on). Uses base/, picture/ and gif/.

set(SOURCES
  apng_canvas.cpp
  apng_decoder.cpp
  apng_encoder.cpp
  apng_frame_area.cpp
  apng_layout.cpp
  png_chunks.cpp
  png_deflate.cpp
  png_filters.cpp
  png_frame_decode.cpp)

# The animated PNG is written over zlib and its frames decoded by libpng, which knows no
# animation chunks.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng zlib)
list(APPEND CORE_LIBS PkgConfig::PNG)
