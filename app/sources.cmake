pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
list(APPEND CORE_LIBS PkgConfig::CURL)

list(APPEND CORE_SOURCES
  app/trace.cpp
  app/atomic_file.cpp
  app/fd_output_stream.cpp
  app/file_name_encoding.cpp
  app/temp_file_name.cpp
  app/target_node.cpp
  app/link_target.cpp
  app/process_umask.cpp
  app/product.cpp
  app/help_arguments.cpp
  app/paths.cpp
  app/domain_option.cpp
  app/language_setting.cpp
  app/gif_save_setting.cpp
  app/settings_store.cpp
  app/update_event.cpp
  app/update_check.cpp
  app/about_text.cpp
  app/crash_message.cpp
  app/recovery_store.cpp
  app/command_line.cpp)
list(APPEND UI_SOURCES
  app/gif_app.cpp
  app/crash_report.cpp
  app/startup.cpp)
