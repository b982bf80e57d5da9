list(APPEND CORE_SOURCES
  project/project_file.cpp)
list(APPEND UI_SOURCES
  project/project_commands.cpp)
