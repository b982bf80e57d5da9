list(APPEND CORE_SOURCES)
list(APPEND UI_SOURCES
  project/project_commands.cpp)
