# The worker threads (loading, exporting, estimating) and their hand-over to the window through
# queued events. Uses the folders below it (base/ to export/).

set(SOURCES
  background_estimate.cpp
  export_session.cpp
  export_thread.cpp
  image_load_thread.cpp
  load_session.cpp
  size_estimate_thread.cpp
  task_pipe.cpp
  thread_update_event.cpp)
