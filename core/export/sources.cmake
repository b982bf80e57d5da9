# Turning frames into a GIF file or another animation type: the frame sources and their
# composing on the canvas, the export pipelines and their options, the size limit's search,
# the size estimate and the failures the user is told. Uses the folders below it (base/ to
# document/).

set(SOURCES
  animation_export.cpp
  canvas_check.cpp
  compose_frame.cpp
  export_failure.cpp
  export_steps.cpp
  gif_export.cpp
  gif_save_options.cpp
  picture_frame_source.cpp
  input_frames.cpp
  kept_frame_source.cpp
  output_format.cpp
  sample_runs.cpp
  save_rules.cpp
  scaled_frame_source.cpp
  size_estimate.cpp
  size_limit.cpp
  size_steps.cpp)
