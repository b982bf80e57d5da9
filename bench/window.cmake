# The main window under load: time and peak memory to load N frames through Add Image, and
# time to save 100 frames of 640 x 480 through Save, beside the command-line exporter.
# Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" bin/window_bench [N...]
add_executable(window_bench ${CMAKE_CURRENT_LIST_DIR}/window_bench.cpp)
target_link_libraries(window_bench PRIVATE zoruvede_app)
target_compile_definitions(window_bench PRIVATE ZORUVEDE_BUILD_DIR="${CMAKE_BINARY_DIR}")
add_dependencies(window_bench zoruvede_data zoruvede-cli)
