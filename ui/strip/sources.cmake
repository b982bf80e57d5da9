# The frame strip control: tiles drawn from the document's frames, selection, drag and drop.
# Uses core/.

set(SOURCES
  frame_strip.cpp
  frame_strip_input.cpp
  frame_strip_move.cpp
  frame_tile.cpp
  label_font.cpp)
