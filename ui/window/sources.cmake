# The main window and its command groups (frames, timing, canvas, preview, saving, projects,
# help), one file a group. Uses core/, ui/strip/ and ui/dialogs/.

set(SOURCES
  about.cpp
  canvas.cpp
  crop_tool.cpp
  document_view.cpp
  fewer_frames.cpp
  frame_arranging.cpp
  frame_editing.cpp
  frame_moving.cpp
  frame_timing.cpp
  frame_tools.cpp
  help.cpp
  jobs.cpp
  language.cpp
  loop_count.cpp
  main_window.cpp
  new_document.cpp
  open_paths.cpp
  picture_edits.cpp
  preview.cpp
  project_commands.cpp
  project_frames.cpp
  recovery.cpp
  save_gif.cpp
  save_questions.cpp
  screen_recording.cpp
  size_estimate_view.cpp
  status_bar.cpp
  thumbnail_view.cpp
  video_frames.cpp
  zoom_view.cpp)
