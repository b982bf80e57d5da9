# GIF export figures. gif_stages_bench times each stage of one 640 x 480 frame (compose, the
# three reducers, palette lookup, LZW writing); export_bench.sh times whole exports of 60
# photographs against ImageMagick; quality_bench.sh sets the default reducer's quality, time,
# memory and size against ImageMagick and ffmpeg on photographs, a screen recording and a test
# pattern. None runs as a test.
if(benchmark_FOUND)
  add_executable(gif_stages_bench ${CMAKE_CURRENT_LIST_DIR}/gif_stages_bench.cpp)
  target_link_libraries(gif_stages_bench PRIVATE zoruvede_core benchmark::benchmark)
endif()
