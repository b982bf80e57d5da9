# Keeping frames compressed: each codec choice's ratio, speed and decode time on the frame
# sets, and 1,800 generated 1080p screen frames held in a picture store, with and without the
# cache file. LZ4 is measured beside zstd only when its headers are installed; the program
# itself links only zstd.
add_executable(frame_store_bench ${CMAKE_CURRENT_LIST_DIR}/frame_store_bench.cpp)
target_link_libraries(frame_store_bench PRIVATE zoruvede_core)
pkg_check_modules(BENCH_LZ4 QUIET IMPORTED_TARGET liblz4)
if(BENCH_LZ4_FOUND)
  target_link_libraries(frame_store_bench PRIVATE PkgConfig::BENCH_LZ4)
  target_compile_definitions(frame_store_bench PRIVATE ZORUVEDE_BENCH_LZ4)
endif()
