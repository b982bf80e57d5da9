# GIF encoding and the export pipeline: image data only, no windows, so all of it is core.
list(APPEND CORE_SOURCES
  src/window/animation_document.cpp
  src/window/edit_commands.cpp
  src/window/edit_history.cpp
  src/window/canvas_size.cpp
  src/window/compose_frame.cpp
  src/window/export_failure.cpp
  src/window/canvas_check.cpp
  src/window/file_byte_reader.cpp
  src/window/gif_blocks.cpp
  src/window/gif_composer.cpp
  src/window/gif_export.cpp
  src/window/frame_difference.cpp
  src/window/gif_frame_reader.cpp
  src/window/gif_optimised_writer.cpp
  src/window/gif_quality.cpp
  src/window/gif_geometry.cpp
  src/window/gif_gifhandler.cpp
  src/window/gif_graphic_control.cpp
  src/window/gif_record_reader.cpp
  src/window/image_decode.cpp
  src/window/image_header.cpp
  src/window/load_estimate.cpp
  src/window/input_frames.cpp
  src/window/palette.cpp
  src/window/palette_lookup.cpp
  src/window/palette_quant.cpp
  src/window/palette_remap.cpp
  src/window/palette_reuse.cpp
  src/window/picture_end.cpp
  src/window/sample_runs.cpp
  src/window/scaled_frame_source.cpp
  src/window/size_estimate.cpp
  src/window/size_limit.cpp
  src/window/gif_save_options.cpp
  src/window/size_steps.cpp
  src/window/video_decoder.cpp
  src/window/video_extent.cpp
  src/window/video_files.cpp
  src/window/video_geometry.cpp
  src/window/video_import.cpp
  src/window/video_reference.cpp
  src/window/video_timing.cpp)

# The background workers and their hand-over to the window: threads and queued events only.
list(APPEND CORE_SOURCES
  src/window/thread_update_event.cpp
  src/window/frame_reference.cpp
  src/window/entry_decoder.cpp
  src/window/image_load_thread.cpp
  src/window/save_gif_thread.cpp
  src/window/frame_delays.cpp
  src/window/frame_feed.cpp
  src/window/feed_passes.cpp
  src/window/size_estimate_thread.cpp
  src/window/background_estimate.cpp)

# The default palette reducer. libimagequant runs on OpenMP; palette_quant.cpp sets the OpenMP
# thread count of its calls, so it links the runtime itself (omp.h ships with the compiler).
pkg_check_modules(IMAGEQUANT REQUIRED IMPORTED_TARGET imagequant)
find_package(OpenMP REQUIRED COMPONENTS CXX)
list(APPEND CORE_LIBS PkgConfig::IMAGEQUANT ${OpenMP_CXX_LIBRARIES})

# GIF input is decoded by giflib record by record. Debian ships no pkg-config file for it;
# CMake's own module finds the header and the library.
find_package(GIF REQUIRED)
list(APPEND CORE_LIBS GIF::GIF)

# Video clips are decoded by FFmpeg's libraries.
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswscale libavutil)
list(APPEND CORE_LIBS PkgConfig::FFMPEG)

# The default reducer's nearest-colour search is a minimum over the palette that only runs fast
# vectorised; GCC at -O2 vectorises only loops of a known trip count (clang does by default).
set_source_files_properties(src/window/palette_remap.cpp PROPERTIES COMPILE_OPTIONS
  "$<$<CXX_COMPILER_ID:GNU>:-ftree-vectorize;-fvect-cost-model=dynamic>")
