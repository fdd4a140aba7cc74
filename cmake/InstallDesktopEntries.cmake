# Runs at install time: writes each picture's menu entry with the folders the
# program is really installed in (the prefix of cmake --install, or /usr in
# the Debian package), then installs it. Set by the install rules:
# TINTORA_DESKTOP_TEMPLATES (tintora-<picture>.desktop.in files, and the main
# entry's TINTORA_MAIN_ENTRY.in, which starts TINTORA_MAIN_PICTURE),
# TINTORA_DESKTOP_STAGING, TINTORA_NAME_DIR, TINTORA_PICTURE_DIR and
# TINTORA_APPLICATIONS_DIR (the last three relative to the prefix).

# A string value keeps a backslash only when it is doubled.
function(Desktop_string_escape value out)
  string(REPLACE "\\" "\\\\" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

# The program in Exec: quoted when it holds a blank or another reserved
# character, with the quoting escapes, then the string escapes, and '%'
# doubled so it is not taken for a field code.
function(Desktop_exec_escape program out)
  if(program MATCHES "[^A-Za-z0-9/._+,:=@-]")
    string(REGEX REPLACE "([\\\\\"`$])" "\\\\\\1" program "${program}")
    set(program "\"${program}\"")
  endif()
  Desktop_string_escape("${program}" program)
  string(REPLACE "%" "%%" program "${program}")
  set(${out} "${program}" PARENT_SCOPE)
endfunction()

Desktop_string_escape("${CMAKE_INSTALL_PREFIX}/${TINTORA_PICTURE_DIR}" picture_dir)
foreach(template ${TINTORA_DESKTOP_TEMPLATES})
  get_filename_component(entry "${template}" NAME_WLE)
  if(entry STREQUAL TINTORA_MAIN_ENTRY)
    set(picture "${TINTORA_MAIN_PICTURE}")
  else()
    string(REGEX REPLACE "^tintora-(.*)\\.desktop$" "\\1" picture "${entry}")
  endif()
  Desktop_exec_escape("${CMAKE_INSTALL_PREFIX}/${TINTORA_NAME_DIR}/${picture}" exec)
  file(READ "${template}" text)
  string(REPLACE "%EXEC%" "${exec}" text "${text}")
  string(REPLACE "%PATH%" "${picture_dir}" text "${text}")
  file(WRITE "${TINTORA_DESKTOP_STAGING}/${entry}" "${text}")
  file(INSTALL "${TINTORA_DESKTOP_STAGING}/${entry}"
       DESTINATION "${CMAKE_INSTALL_PREFIX}/${TINTORA_APPLICATIONS_DIR}")
endforeach()
