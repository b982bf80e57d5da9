# Pictures of our own: pixels held compressed, decoded on demand on any thread into buffers
# that are no toolkit image, a small cache of decoded pictures, and the store that keeps the
# compressed bytes within a memory budget and moves the rest to a cache file; the small copies
# for the strip, and the size limit of every picture the program decodes. Uses base/, and the
# toolkit's image only to convert from and to it.

set(SOURCES
  cache_file.cpp
  cache_space.cpp
  decoded_cache.cpp
  decoded_picture.cpp
  picture.cpp
  picture_codec.cpp
  picture_differences.cpp
  picture_limit.cpp
  picture_store.cpp
  rgba_image.cpp
  small_copy.cpp)

# Compressed pictures: zstd (bench/frame_store_bench compares it with LZ4).
pkg_check_modules(ZSTD REQUIRED IMPORTED_TARGET libzstd)
list(APPEND CORE_LIBS PkgConfig::ZSTD)

# The small copy adds rows of bytes into wider sums, which GCC at -O2 leaves unvectorised.
set_source_files_properties(picture/small_copy.cpp PROPERTIES COMPILE_OPTIONS
  "$<$<CXX_COMPILER_ID:GNU>:-ftree-vectorize;-fvect-cost-model=dynamic>")
