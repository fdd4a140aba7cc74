# Installing Tintora as a desktop program (the Debian package is made from
# this install: cmake/DebianPackage.cmake).
# The desktop menu has one entry, "Tintora", which opens the picture book
# (tintora-book); the book starts the painter (tintora) under the chosen
# picture's name. The painter shows the picture named after itself, read from
# its working directory, so each bundled picture also keeps a private link
# named after it in libexec, for scripts and for starting one picture by hand
# (no menu entry of its own). Only the programs (the painter, the book and
# the checker tintora-check) go into bin: picture
# names are common words. Software centres see one component,
# org.tintora.Tintora: its metadata and its launchable, the menu entry (see
# "Tintora in software centres" in docs/packaging.md).
include(GNUInstallDirs)

set(TINTORA_PICTURE_DIR ${CMAKE_INSTALL_DATADIR}/tintora/pictures)
set(TINTORA_NAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/tintora)

# The book finds the painter beside itself and the pictures at
# ../share/tintora/pictures from its own folder: both must keep these places.
if(NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(WARNING "tintora-book looks for the bundled pictures in <bindir>/../share/tintora/pictures, "
                  "not in ${CMAKE_INSTALL_DATADIR}")
endif()
install(TARGETS tintora tintora-book tintora-check tintora-draw RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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
endforeach()

# The menu entry, "Tintora", which software centres launch: the book; its
# action "New picture" starts the picture maker on a new picture.
# Its Name, GenericName, Comment, Keywords and the action's Name come in
# every language of po/ (msgfmt --desktop, at build time).
set(TINTORA_APP_ID org.tintora.Tintora)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${TINTORA_APP_ID}.desktop.in
               ${staging}/untranslated/${TINTORA_APP_ID}.desktop.in @ONLY)
add_custom_command(OUTPUT ${staging}/${TINTORA_APP_ID}.desktop.in
  COMMAND ${TINTORA_MSGFMT} --desktop --template=${staging}/untranslated/${TINTORA_APP_ID}.desktop.in
          -d ${TINTORA_PO_DIR} -o ${staging}/${TINTORA_APP_ID}.desktop.in
  DEPENDS ${staging}/untranslated/${TINTORA_APP_ID}.desktop.in ${TINTORA_PO_DIR}/LINGUAS ${TINTORA_PO_FILES}
  VERBATIM)

# Exec needs the folder as installed, known only at install time.
install(CODE "
  set(TINTORA_DESKTOP_TEMPLATE \"${staging}/${TINTORA_APP_ID}.desktop.in\")
  set(TINTORA_DESKTOP_STAGING \"${staging}/entries\")
  set(TINTORA_BOOK \"${CMAKE_INSTALL_BINDIR}/tintora-book\")
  set(TINTORA_DRAW \"${CMAKE_INSTALL_BINDIR}/tintora-draw\")
  set(TINTORA_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntries.cmake)


# The AppStream metadata, with the releases from CHANGELOG.md; its name,
# summary, description, keywords and caption in every language of po/
# (msgfmt --xml, by the AppStream rules of what is translated).
configure_file(${PROJECT_SOURCE_DIR}/packaging/${TINTORA_APP_ID}.metainfo.xml.in
               ${staging}/untranslated/${TINTORA_APP_ID}.metainfo.xml @ONLY)
add_custom_command(OUTPUT ${staging}/${TINTORA_APP_ID}.metainfo.xml
  COMMAND ${TINTORA_MSGFMT} --xml --template=${staging}/untranslated/${TINTORA_APP_ID}.metainfo.xml
          -d ${TINTORA_PO_DIR} -o ${staging}/${TINTORA_APP_ID}.metainfo.xml
  DEPENDS ${staging}/untranslated/${TINTORA_APP_ID}.metainfo.xml ${TINTORA_PO_DIR}/LINGUAS ${TINTORA_PO_FILES}
  VERBATIM)
add_custom_target(menu_entries ALL
  DEPENDS ${staging}/${TINTORA_APP_ID}.desktop.in ${staging}/${TINTORA_APP_ID}.metainfo.xml)
install(FILES ${staging}/${TINTORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The licence and the release notes go with every install. (The Debian
# package carries them under the names Debian gives them: copyright, whose
# licence text is this one, and changelog.gz.)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
