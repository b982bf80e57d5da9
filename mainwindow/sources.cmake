list(APPEND CORE_SOURCES
  src/window/thread_update_event.cpp)
list(APPEND UI_SOURCES
  mainwindow/gif_frame.cpp
  mainwindow/path_chooser.cpp
  mainwindow/frame_tools.cpp
  mainwindow/frame_editing.cpp
  mainwindow/canvas.cpp
  mainwindow/preview.cpp
  mainwindow/loop_count.cpp
  mainwindow/save_gif.cpp
  mainwindow/language.cpp
  mainwindow/help.cpp
  mainwindow/about.cpp)
