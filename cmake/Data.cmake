# Lays out the data files beside bin/ so that the build tree runs as an installation.
file(GLOB THEME_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Themes/*)
set(DATA_OUTPUTS)
foreach(src ${THEME_FILES})
  get_filename_component(name ${src} NAME)
  set(dst ${CMAKE_BINARY_DIR}/Themes/${name})
  add_custom_command(OUTPUT ${dst}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${dst}
    DEPENDS ${src} VERBATIM)
  list(APPEND DATA_OUTPUTS ${dst})
endforeach()

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/option.cfg
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/option.cfg ${CMAKE_BINARY_DIR}/option.cfg
  DEPENDS ${CMAKE_SOURCE_DIR}/option.cfg VERBATIM)
list(APPEND DATA_OUTPUTS ${CMAKE_BINARY_DIR}/option.cfg)

# Catalogs: Language/<lang>/language.po compiles to Language/<lang>/language.mo.
find_program(MSGFMT_PROGRAM msgfmt REQUIRED)
file(GLOB PO_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Language/*/*.po)
foreach(po ${PO_FILES})
  get_filename_component(domain ${po} NAME_WE)
  get_filename_component(langdir ${po} DIRECTORY)
  get_filename_component(lang ${langdir} NAME)
  set(mo ${CMAKE_BINARY_DIR}/Language/${lang}/${domain}.mo)
  add_custom_command(OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/Language/${lang}
    COMMAND ${MSGFMT_PROGRAM} --check -o ${mo} ${po}
    DEPENDS ${po} VERBATIM)
  list(APPEND DATA_OUTPUTS ${mo})
endforeach()

add_custom_target(zoruvede_data ALL DEPENDS ${DATA_OUTPUTS})
add_dependencies(zoruvede zoruvede_data)
