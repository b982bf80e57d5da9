# Video clips, decoded by FFmpeg's libraries: probing, the frame sampling's timing and
# geometry, video frame names; and MP4 and WebM files written from an animation. Uses base/,
# files/ and formats/.

set(SOURCES
  ffmpeg_messages.cpp
  video_decoder.cpp
  video_encoder.cpp
  video_encoding_plan.cpp
  video_extent.cpp
  video_files.cpp
  video_geometry.cpp
  video_import.cpp
  video_reference.cpp
  video_timing.cpp)

# Video clips are decoded by FFmpeg's libraries.
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
list(APPEND CORE_LIBS PkgConfig::FFMPEG)
