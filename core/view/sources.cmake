# The main window's rules on plain numbers: the canvas fields' proportions, where the preview
# draws, the status bar's field widths, the preview's play. Uses every other folder of the core.

set(SOURCES
  canvas_math.cpp
  preview_zoom.cpp
  preview_player.cpp
  status_widths.cpp)
