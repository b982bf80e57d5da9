# Recording the screen: frames reached, timing and CPU time of the recorder against FFmpeg's
# X11 grabber on the same screen, while a painter process changes it.
# Needs an X display: xvfb-run -a -s "-screen 0 1280x1024x24" bin/record_bench
add_executable(record_bench ${CMAKE_CURRENT_LIST_DIR}/record_bench.cpp)
target_link_libraries(record_bench PRIVATE zoruvede_core)
