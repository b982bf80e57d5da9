# The project file format (read within limits, written through the atomic writer), the frames
# folder beside a project for the frames that have no file, and the recovery store. Uses the
# folders below it (base/ to settings/).

set(SOURCES
  frame_file_job.cpp
  frame_file_plan.cpp
  frame_folder.cpp
  limited_xml.cpp
  project_edit.cpp
  project_file.cpp
  project_markers.cpp
  recovery_frames.cpp
  recovery_store.cpp)

# The XML parser the toolkit reads with, driven directly: project files are read in one pass
# within limits (limited_xml.h).
pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET expat)
list(APPEND CORE_LIBS PkgConfig::EXPAT)
