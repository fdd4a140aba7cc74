# Installing Tintora as a desktop program (the Debian package is made from
# this install: cmake/DebianPackage.cmake).
# The program shows the picture named after itself, read from its working
# directory, so each bundled picture gets a private link named after it and a
# menu entry that runs that link with the pictures folder as working directory.
# Only `tintora` and the checker `tintora-check` go into bin: picture names
# are common words.
# Software centres see one component, org.tintora.Tintora: its metadata and
# its launchable, the main menu entry "Tintora" (see "Tintora in software
# centres" in the README).
include(GNUInstallDirs)

set(TINTORA_PICTURE_DIR ${CMAKE_INSTALL_DATADIR}/tintora/pictures)
set(TINTORA_NAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/tintora)

install(TARGETS tintora tintora-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${picture_files} DESTINATION ${TINTORA_PICTURE_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/tintora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The links are relative, so the installed tree can be moved or unpacked
# anywhere; a link keeps the picture's name in argv[0] when it is run.
file(RELATIVE_PATH name_to_program /${TINTORA_NAME_DIR} /${CMAKE_INSTALL_BINDIR}/tintora)
set(staging ${CMAKE_BINARY_DIR}/packaging)
file(REMOVE_RECURSE ${staging})
foreach(picture ${picture_files})
  get_filename_component(TINTORA_PICTURE ${picture} NAME_WE)

  file(MAKE_DIRECTORY ${staging}/names)
  file(CREATE_LINK ${name_to_program} ${staging}/names/${TINTORA_PICTURE} SYMBOLIC)
  install(FILES ${staging}/names/${TINTORA_PICTURE} DESTINATION ${TINTORA_NAME_DIR})

  # The menu entry: "Tintora: Goldfish", with the picture's title line (the
  # one after the palette) as its comment.
  string(REGEX REPLACE "[_-]" " " TINTORA_LABEL "${TINTORA_PICTURE}")
  string(SUBSTRING "${TINTORA_LABEL}" 0 1 first)
  string(SUBSTRING "${TINTORA_LABEL}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  set(TINTORA_LABEL "${first}${rest}")
  file(STRINGS ${picture} head LIMIT_COUNT 9)
  list(LENGTH head lines)
  set(TINTORA_TITLE "")
  if(lines EQUAL 9)
    list(GET head 8 TINTORA_TITLE)
    string(STRIP "${TINTORA_TITLE}" TINTORA_TITLE)
    string(REPLACE "\\" "\\\\" TINTORA_TITLE "${TINTORA_TITLE}")
  endif()
  if(TINTORA_TITLE STREQUAL "")
    set(TINTORA_TITLE "Colour in the ${TINTORA_PICTURE} picture")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/tintora-picture.desktop.in
                 ${staging}/tintora-${TINTORA_PICTURE}.desktop.in @ONLY)
  list(APPEND desktop_templates ${staging}/tintora-${TINTORA_PICTURE}.desktop.in)
endforeach()

# The main entry, "Tintora", which software centres launch: for now the house
# picture, started as its own entry starts it.
set(TINTORA_APP_ID org.tintora.Tintora)
set(TINTORA_MAIN_PICTURE house)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${TINTORA_APP_ID}.desktop.in
               ${staging}/${TINTORA_APP_ID}.desktop.in @ONLY)
list(APPEND desktop_templates ${staging}/${TINTORA_APP_ID}.desktop.in)

# Exec and Path need the folders as installed, known only at install time.
install(CODE "
  set(TINTORA_DESKTOP_TEMPLATES \"${desktop_templates}\")
  set(TINTORA_MAIN_ENTRY \"${TINTORA_APP_ID}.desktop\")
  set(TINTORA_MAIN_PICTURE \"${TINTORA_MAIN_PICTURE}\")
  set(TINTORA_DESKTOP_STAGING \"${staging}/entries\")
  set(TINTORA_NAME_DIR \"${TINTORA_NAME_DIR}\")
  set(TINTORA_PICTURE_DIR \"${TINTORA_PICTURE_DIR}\")
  set(TINTORA_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntries.cmake)


# The AppStream metadata, with the releases from CHANGELOG.md.
configure_file(${PROJECT_SOURCE_DIR}/packaging/${TINTORA_APP_ID}.metainfo.xml.in
               ${staging}/${TINTORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${staging}/${TINTORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licence and the release notes go with every install. (The Debian
# package carries them under the names Debian gives them: copyright, whose
# licence text is this one, and changelog.gz.)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
