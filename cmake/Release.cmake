# The release notes: CHANGELOG.md is the one record of what each version
# brought. Its newest release must be the version in project(), and it gives
# the release date (for the manual pages), the Debian changelog and the
# <releases> of the AppStream metadata, made by packaging/changelog-convert.awk.
# Sets TINTORA_RELEASE_DATE (YYYY-MM-DD), TINTORA_RELEASE_TIME
# ("YYYY-MM-DD HH:MM UTC"), TINTORA_APPSTREAM_RELEASES and
# TINTORA_DEBIAN_CHANGELOG (the file's text).

set(TINTORA_DEBIAN_REVISION 1)   # the Debian package of version V is V-1
set(changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${changelog} ${PROJECT_SOURCE_DIR}/packaging/changelog-convert.awk)

# An `## Unreleased` heading above it gathers changes for the next release.
file(STRINGS ${changelog} newest REGEX "^## " LIMIT_COUNT 2)
list(FILTER newest EXCLUDE REGEX "^## Unreleased$")
list(GET newest 0 newest)
if(NOT newest MATCHES "^## \\[([^]]*)\\] - (([0-9-]+) [0-9:]+ UTC)$")
  message(FATAL_ERROR "CHANGELOG.md: the newest release heading is not `## [VERSION] - YYYY-MM-DD HH:MM UTC`: ${newest}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md's newest release is ${CMAKE_MATCH_1}, but CMakeLists.txt says ${PROJECT_VERSION}: "
                      "add the release to CHANGELOG.md, or set the version in project()")
endif()
set(TINTORA_RELEASE_TIME "${CMAKE_MATCH_2}")
set(TINTORA_RELEASE_DATE "${CMAKE_MATCH_3}")

find_program(TINTORA_AWK NAMES awk mawk gawk REQUIRED)
function(Changelog_convert out)
  execute_process(
    COMMAND ${TINTORA_AWK} ${ARGN} -f ${PROJECT_SOURCE_DIR}/packaging/changelog-convert.awk ${changelog}
    OUTPUT_VARIABLE text ERROR_VARIABLE error RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "CHANGELOG.md could not be converted (${ARGN}):\n${error}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

Changelog_convert(TINTORA_APPSTREAM_RELEASES -v format=appstream)
string(REGEX REPLACE "\n$" "" TINTORA_APPSTREAM_RELEASES "${TINTORA_APPSTREAM_RELEASES}")
Changelog_convert(TINTORA_DEBIAN_CHANGELOG -v format=debian -v package=${PROJECT_NAME}
                  -v revision=${TINTORA_DEBIAN_REVISION} "-v" "maintainer=${TINTORA_MAINTAINER}")

# The maintainer's name and address apart, for the AppStream metadata.
if(NOT TINTORA_MAINTAINER MATCHES "^([^<]+[^< ]) <([^>]+@[^>]+)>$")
  message(FATAL_ERROR "TINTORA_MAINTAINER is not `Name <address>`: ${TINTORA_MAINTAINER}")
endif()
set(TINTORA_MAINTAINER_NAME "${CMAKE_MATCH_1}")
set(TINTORA_MAINTAINER_EMAIL "${CMAKE_MATCH_2}")
