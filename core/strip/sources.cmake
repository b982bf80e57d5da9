# The frame strip's rules on plain numbers: its grid, selection, drop gaps, colours, tile
# sizes and titles. Uses the folders below it (base/ to project/).

set(SOURCES
  frame_move.cpp
  strip_palette.cpp
  thumbnail_grid.cpp
  thumbnail_selection.cpp
  thumbnail_size.cpp
  tile_title.cpp)
