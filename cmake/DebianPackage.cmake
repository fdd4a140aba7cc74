# The Debian package: cmake --build BUILD --target deb writes
# BUILD/package/tintora_<version>-<revision>_<arch>.deb. The debian/ folder
# it is made from (control, changelog, copyright) is written here from
# packaging/debian/ and CHANGELOG.md; packaging/debian/build-deb installs,
# strips and packs, the same bytes on every build of one commit.
if(NOT UNIX)
  return()
endif()

set(debian_dir ${CMAKE_BINARY_DIR}/debian-package/debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

# The copyright file's Copyright field and licence text come from LICENSE:
# its first line, then the rest as a DEP-5 block (blank lines as " .").
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "^Copyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE does not open with a line `Copyright (c) YEAR HOLDER` and a blank line")
endif()
set(TINTORA_COPYRIGHT "${CMAKE_MATCH_1}")
set(licence "${CMAKE_MATCH_2}")
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " TINTORA_LICENCE_TEXT " ${licence}")

configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/control.in ${debian_dir}/control @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in ${debian_dir}/copyright @ONLY)
file(WRITE ${debian_dir}/changelog.new "${TINTORA_DEBIAN_CHANGELOG}")
file(COPY_FILE ${debian_dir}/changelog.new ${debian_dir}/changelog ONLY_IF_DIFFERENT)
file(REMOVE ${debian_dir}/changelog.new)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides ${debian_dir}/lintian-overrides COPYONLY)

add_custom_target(deb
  COMMAND ${PROJECT_SOURCE_DIR}/packaging/debian/build-deb
          ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${TINTORA_RELEASE_TIME}
  COMMENT "Building the Debian package in ${CMAKE_BINARY_DIR}/package"
  USES_TERMINAL VERBATIM)
# What the install needs built first: every program that is installed, and
# the manual pages.
add_dependencies(deb tintora tintora-book tintora-check manpages)
