# The program's settings and what it says of itself: product texts, paths, languages, the
# settings file, the command line, the update check. Uses the folders below it (base/ to jobs/).

set(SOURCES
  about_text.cpp
  command_line.cpp
  crash_message.cpp
  domain_option.cpp
  gif_save_setting.cpp
  help_arguments.cpp
  language_setting.cpp
  memory_setting.cpp
  paths.cpp
  product.cpp
  record_setting.cpp
  settings_store.cpp
  update_check.cpp
  update_event.cpp)

# The update check asks over HTTPS with libcurl.
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
list(APPEND CORE_LIBS PkgConfig::CURL)
