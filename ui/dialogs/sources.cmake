# Windows and texts that don't know the main window: message boxes, the loop, delay and video
# dialogs, the file choosers and their options, the status bar. Uses core/.

set(SOURCES
  crop_bar.cpp
  crop_editor.cpp
  delay_dialogs.cpp
  fewer_frames_dialogs.cpp
  file_drop.cpp
  fitting_status_bar.cpp
  gif_save_dialog_hook.cpp
  loop_count_dialog.cpp
  message_boxes.cpp
  message_text.cpp
  path_chooser.cpp
  record_control.cpp
  record_dialog.cpp
  region_overlay.cpp
  region_view.cpp
  screen_still.cpp
  video_import_dialog.cpp)
