# Installing Tintora as a desktop program, and its Debian package.
# The program shows the picture named after itself, read from its working
# directory, so each bundled picture gets a private link named after it and a
# menu entry that runs that link with the pictures folder as working directory.
# Only `tintora` goes into bin: picture names are common words.
include(GNUInstallDirs)

set(TINTORA_PICTURE_DIR ${CMAKE_INSTALL_DATADIR}/tintora/pictures)
set(TINTORA_NAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/tintora)

install(TARGETS tintora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
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

# Exec and Path need the folders as installed, known only at install time.
install(CODE "
  set(TINTORA_DESKTOP_TEMPLATES \"${desktop_templates}\")
  set(TINTORA_DESKTOP_STAGING \"${staging}/entries\")
  set(TINTORA_NAME_DIR \"${TINTORA_NAME_DIR}\")
  set(TINTORA_PICTURE_DIR \"${TINTORA_PICTURE_DIR}\")
  set(TINTORA_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallDesktopEntries.cmake)

# The Debian package: cpack -G DEB in the build folder. Its dependencies come
# from the built binary (dpkg-shlibdeps): the SDL 1.2 and SDL_gfx runtimes.
set(TINTORA_PACKAGE_MAINTAINER "Tintora developers <tintora@example.org>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintora)
set(CPACK_PACKAGE_CONTACT "${TINTORA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "colouring book: click a region to colour it in")
# The long description; the summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tintora shows a picture of outlines and eight colours. Pick a colour, click
inside an outline, and the region fills with it, square by square. It comes
with pictures for small children (a few big regions) and for older ones
(many small regions), each with its own entry in the desktop menu.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
