# Finding duplicate frames: 1,800 generated 1080p screen frames in a picture store, compared
# pair by pair as Remove Duplicate Frames does, with the time and the frames that would go.
add_executable(dedupe_bench ${CMAKE_CURRENT_LIST_DIR}/dedupe_bench.cpp)
target_link_libraries(dedupe_bench PRIVATE zoruvede_core)
