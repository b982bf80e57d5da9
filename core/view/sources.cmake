# The main window's rules on plain numbers: the canvas fields' proportions, where the preview
# draws, the status bar's field widths. Uses every other folder of the core.

set(SOURCES
  canvas_math.cpp
  status_widths.cpp)
