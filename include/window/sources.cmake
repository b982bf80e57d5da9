# The frame strip. The layout and selection models need no window and go into the core
# library, so the unit tests exercise them without a display.
list(APPEND CORE_SOURCES
  include/window/thumbnail_grid.cpp
  include/window/thumbnail_selection.cpp
  include/window/frame_move.cpp
  include/window/drop_index.cpp
  include/window/strip_palette.cpp
  include/window/thumbnail_size.cpp
  include/window/tile_title.cpp)
list(APPEND UI_SOURCES
  include/window/thumbnailctrl.cpp
  include/window/thumbnailctrl_move.cpp
  include/window/thumbnailitem.cpp
  include/window/label_font.cpp)
