# The manual pages: every page in docs/man (NAME.N, or NAME.N.in to be given
# @PROJECT_VERSION@ and @TINTORA_RELEASE_DATE@) is built compressed as Debian
# wants it (gzip -9n: no name or time inside, so the same bytes every build)
# and installed into share/man/manN. A page dropped into docs/man needs
# nothing else; scripts/test-package renders each one with man --warnings.
find_program(TINTORA_GZIP gzip REQUIRED)
file(GLOB man_sources CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/docs/man/*.[1-9] ${PROJECT_SOURCE_DIR}/docs/man/*.[1-9].in)
set(man_pages)
foreach(source ${man_sources})
  get_filename_component(page ${source} NAME)
  string(REGEX REPLACE "\\.in$" "" page "${page}")
  string(REGEX REPLACE "^.*\\.([1-9])$" "\\1" section "${page}")
  set(text ${source})
  if(source MATCHES "\\.in$")
    set(text ${CMAKE_BINARY_DIR}/man/${page})
    configure_file(${source} ${text} @ONLY)
  endif()
  set(compressed ${CMAKE_BINARY_DIR}/man/man${section}/${page}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man/man${section}
    COMMAND ${TINTORA_GZIP} -9n -c ${text} > ${compressed}
    DEPENDS ${text}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  list(APPEND man_pages ${compressed})
endforeach()
add_custom_target(manpages ALL DEPENDS ${man_pages})
