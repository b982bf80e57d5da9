# The windowed program's start-up: the application object, the crash report and the first
# window, as a library the GUI tests and the window benchmarks start too, and the program's
# main(). Uses core/ and ui/.
add_library(zoruvede_app STATIC app/gif_app.cpp app/crash_report.cpp app/startup.cpp)
target_link_libraries(zoruvede_app PUBLIC zoruvede_ui)
target_precompile_headers(zoruvede_app REUSE_FROM zoruvede_core)

add_executable(zoruvede app/main.cpp)
target_link_libraries(zoruvede PRIVATE zoruvede_app)
target_compile_definitions(zoruvede PRIVATE ZORUVEDE_APP_ID="${ZORUVEDE_APP_ID}")
