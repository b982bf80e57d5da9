# Recording the screen: the recorder that takes a screen's pictures at a frame rate, merges
# the unchanged ones, keeps them compressed as they arrive and times them by their moments,
# and the rules of a region drawn on a still of the screen. Uses the folders below it (base/
# to screen/).

set(SOURCES
  capture_timing.cpp
  recorder.cpp
  region_editing.cpp)
