# The project file format (read within limits, written through the atomic writer) and the
# recovery store. Uses the folders below it (base/ to settings/).

set(SOURCES
  limited_xml.cpp
  project_file.cpp
  project_markers.cpp
  recovery_store.cpp)

# The XML parser the toolkit reads with, driven directly: project files are read in one pass
# within limits (limited_xml.h).
pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET expat)
list(APPEND CORE_LIBS PkgConfig::EXPAT)
