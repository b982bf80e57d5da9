# Animation files other than GIF: their writers' shared contract, the animated WebP's writer and
# reader, and the animated PNG's chunks, writer and reader (the canvas its frames are composed
# on). Uses base/ to gif/ (picture/ for its size limit).

set(SOURCES
  apng_canvas.cpp
  apng_decoder.cpp
  apng_encoder.cpp
  apng_frame_area.cpp
  apng_layout.cpp
  png_chunks.cpp
  png_deflate.cpp
  png_filters.cpp
  png_frame_decode.cpp
  webp_encoder.cpp
  webp_reader.cpp)

# Animated WebP: libwebp's encoder, its animation assembler (mux) and the demuxer.
pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp libwebpmux libwebpdemux)
list(APPEND CORE_LIBS PkgConfig::WEBP)

# The animated PNG is written over zlib and its frames decoded by libpng, which knows no
# animation chunks.
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng zlib)
list(APPEND CORE_LIBS PkgConfig::PNG)
