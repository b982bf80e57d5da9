# Video clips, decoded by FFmpeg's libraries: probing, the frame sampling's timing and
# geometry, video frame names. Uses base/.

set(SOURCES
  video_decoder.cpp
  video_extent.cpp
  video_files.cpp
  video_geometry.cpp
  video_import.cpp
  video_reference.cpp
  video_timing.cpp)

# Video clips are decoded by FFmpeg's libraries.
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
list(APPEND CORE_LIBS PkgConfig::FFMPEG)
