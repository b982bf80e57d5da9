# Video import figures. video_decode_bench decodes a stretch of a clip through the core
# decoder alone; video_window_bench imports the same stretch into the main window (needs a
# display); bench/video_bench.sh sets both beside the ffmpeg command line on a 1080p clip.
add_executable(video_decode_bench ${CMAKE_CURRENT_LIST_DIR}/video_decode_bench.cpp)
target_link_libraries(video_decode_bench PRIVATE zoruvede_core)
add_executable(video_window_bench ${CMAKE_CURRENT_LIST_DIR}/video_window_bench.cpp)
target_link_libraries(video_window_bench PRIVATE zoruvede_app)
target_compile_definitions(video_window_bench PRIVATE ZORUVEDE_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(video_window_bench zoruvede_data)
# video_encode_bench writes pictures as an MP4 or a WebM through the core encoder alone.
add_executable(video_encode_bench ${CMAKE_CURRENT_LIST_DIR}/video_encode_bench.cpp)
target_link_libraries(video_encode_bench PRIVATE zoruvede_core)
