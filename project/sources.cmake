list(APPEND CORE_SOURCES
  project/limited_xml.cpp
  project/project_file.cpp
  project/project_markers.cpp)
list(APPEND UI_SOURCES
  project/project_commands.cpp)
# The XML parser the toolkit reads with, driven directly: project files are read in one pass
# within limits (limited_xml.h).
pkg_check_modules(EXPAT REQUIRED IMPORTED_TARGET expat)
list(APPEND CORE_LIBS PkgConfig::EXPAT)
