# The window's arithmetic and rules on plain values need no window.
list(APPEND CORE_SOURCES
  mainwindow/canvas_math.cpp
  mainwindow/save_rules.cpp
  mainwindow/opened_paths.cpp)
list(APPEND UI_SOURCES
  mainwindow/gif_frame.cpp
  mainwindow/path_chooser.cpp
  mainwindow/video_frames.cpp
  mainwindow/video_import_dialog.cpp
  mainwindow/gif_save_dialog_hook.cpp
  mainwindow/size_estimate_view.cpp
  mainwindow/frame_tools.cpp
  mainwindow/frame_editing.cpp
  mainwindow/thumbnail_view.cpp
  mainwindow/frame_arranging.cpp
  mainwindow/frame_timing.cpp
  mainwindow/delay_dialogs.cpp
  mainwindow/document_view.cpp
  mainwindow/frame_moving.cpp
  mainwindow/canvas.cpp
  mainwindow/preview.cpp
  mainwindow/loop_count.cpp
  mainwindow/loop_count_dialog.cpp
  mainwindow/save_gif.cpp
  mainwindow/save_questions.cpp
  mainwindow/jobs.cpp
  mainwindow/message_text.cpp
  mainwindow/message_boxes.cpp
  mainwindow/status_bar.cpp
  mainwindow/recovery.cpp
  mainwindow/file_drop.cpp
  mainwindow/open_paths.cpp
  mainwindow/language.cpp
  mainwindow/help.cpp
  mainwindow/about.cpp)
