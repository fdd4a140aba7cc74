# The message catalogues: po/LANG.po for each language in po/LINGUAS,
# checked and compiled by msgfmt into share/locale/LANG/LC_MESSAGES/tintora.mo,
# in the build tree (where the programs find them when run from there) and
# when installed. The menu entry and the AppStream metadata take their
# translations from the same files (cmake/Install.cmake). The template
# po/tintora.pot is made from the sources by scripts/update-pot, also run by
# `cmake --build BUILD --target pot`; docs/translating.md tells the rest.
include(GNUInstallDirs)
find_program(TINTORA_MSGFMT msgfmt REQUIRED)
set(TINTORA_PO_DIR ${PROJECT_SOURCE_DIR}/po)
file(STRINGS ${TINTORA_PO_DIR}/LINGUAS TINTORA_LANGUAGES REGEX "^[^#]")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TINTORA_PO_DIR}/LINGUAS)

set(TINTORA_PO_FILES)
foreach(language ${TINTORA_LANGUAGES})
  list(APPEND TINTORA_PO_FILES ${TINTORA_PO_DIR}/${language}.po)
endforeach()
set(catalogues)
foreach(language ${TINTORA_LANGUAGES})
  set(folder ${CMAKE_BINARY_DIR}/share/locale/${language}/LC_MESSAGES)
  add_custom_command(OUTPUT ${folder}/tintora.mo
    COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
    COMMAND ${TINTORA_MSGFMT} --check -o ${folder}/tintora.mo ${TINTORA_PO_DIR}/${language}.po
    DEPENDS ${TINTORA_PO_DIR}/${language}.po
    VERBATIM)
  list(APPEND catalogues ${folder}/tintora.mo)
  install(FILES ${folder}/tintora.mo DESTINATION ${CMAKE_INSTALL_DATADIR}/locale/${language}/LC_MESSAGES)
endforeach()
add_custom_target(translations ALL DEPENDS ${catalogues})

add_custom_target(pot
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/update-pot ${TINTORA_PO_DIR}/tintora.pot
  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  VERBATIM)
