# Each program's usage is written once, as text beside its sources; at build time a small
# generator (not the programs: the windowed one needs a display) renders it as the header
# --help is printed from, the manual page and the bash completion.
add_library(zoruvede_usage STATIC tools/usage_document.cpp tools/usage_renderings.cpp)
target_include_directories(zoruvede_usage PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(usage_pages tools/usage_pages.cpp)
target_link_libraries(usage_pages PRIVATE zoruvede_usage)
# Outside bin/: the build tree's bin/ is the installed image.
set_target_properties(usage_pages PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(ZORUVEDE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(ZORUVEDE_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(ZORUVEDE_COMPLETION_DIR ${CMAKE_BINARY_DIR}/completion)

# Renders source for program into generated/usage/<symbol>_usage.h (kUsageHelp, kUsageShort),
# man/<program>.1 with its .gz, and completion/<program>, and makes target
# depend on them.
function(zoruvede_usage_pages target program source)
  string(REPLACE "-" "_" symbol ${program})
  set(header ${ZORUVEDE_GENERATED_DIR}/usage/${symbol}_usage.h)
  set(man ${ZORUVEDE_MAN_DIR}/${program}.1)
  set(completion ${ZORUVEDE_COMPLETION_DIR}/${program})
  add_custom_command(OUTPUT ${header} ${man} ${man}.gz ${completion}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZORUVEDE_GENERATED_DIR}/usage
            ${ZORUVEDE_MAN_DIR} ${ZORUVEDE_COMPLETION_DIR}
    COMMAND usage_pages ${source} ${PROJECT_VERSION} ${header} ${man} ${completion}
    # -n: no name or time stamp inside, so the same page gives the same bytes.
    COMMAND gzip -9nkf ${man}
    DEPENDS usage_pages ${source}
    COMMENT "Usage text, manual page and completion of ${program}" VERBATIM)
  target_sources(${target} PRIVATE ${header})
  target_include_directories(${target} PRIVATE ${ZORUVEDE_GENERATED_DIR})
  add_custom_target(${symbol}_usage_pages DEPENDS ${man}.gz ${completion})
  add_dependencies(${target} ${symbol}_usage_pages)
endfunction()
