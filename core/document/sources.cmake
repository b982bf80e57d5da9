# The animation being edited: its frames, delays and canvas, the orders its frames can take,
# the edit steps and their undo history. Uses the folders below it (base/ to input/).

set(SOURCES
  animation_document.cpp
  canvas_edit.cpp
  canvas_size.cpp
  edit_commands.cpp
  edit_history.cpp
  frame_delays.cpp
  frame_order.cpp
  frame_placement.cpp
  frame_thinning.cpp)
