list(APPEND CORE_SOURCES
  src/window/thread_update_event.cpp
  src/window/frame_reference.cpp
  src/window/image_load_thread.cpp
  src/window/save_gif_thread.cpp
  src/window/frame_feed.cpp
  mainwindow/canvas_math.cpp
  mainwindow/save_rules.cpp)
list(APPEND UI_SOURCES
  mainwindow/gif_frame.cpp
  mainwindow/path_chooser.cpp
  mainwindow/frame_tools.cpp
  mainwindow/frame_editing.cpp
  mainwindow/canvas.cpp
  mainwindow/preview.cpp
  mainwindow/loop_count.cpp
  mainwindow/loop_count_dialog.cpp
  mainwindow/save_gif.cpp
  mainwindow/language.cpp
  mainwindow/help.cpp
  mainwindow/about.cpp)
