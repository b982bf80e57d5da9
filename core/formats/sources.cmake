# Animation files other than GIF: their writers' shared contract and the WebP and APNG
# writers and readers. Uses base/ to gif/ (picture/ for its size limit).

set(SOURCES
  webp_encoder.cpp
  webp_reader.cpp)

# Animated WebP: libwebp's encoder, its animation assembler (mux) and the demuxer.
pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp libwebpmux libwebpdemux)
list(APPEND CORE_LIBS PkgConfig::WEBP)
