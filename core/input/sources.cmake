# Pictures from files of any kind: header checks before any decoder runs, decoding pictures,
# GIF frame reference names, what a load costs, the loader's entries and the paths a drop or
# the command line hands over. Uses base/, colour/, gif/ and video/.

set(SOURCES
  entry_decoder.cpp
  frame_reference.cpp
  image_decode.cpp
  image_header.cpp
  load_estimate.cpp
  opened_paths.cpp
  picture_end.cpp)
