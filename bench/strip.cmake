# Frame strip figures: time per append (frozen and not), per full and scrolled paint, and
# memory per item. Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" bin/strip_bench
add_executable(strip_bench ${CMAKE_CURRENT_LIST_DIR}/strip_bench.cpp)
target_link_libraries(strip_bench PRIVATE zoruvede_app)
