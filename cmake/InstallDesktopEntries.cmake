# Runs at install time: writes the menu entry with the folder the book is
# really installed in (the prefix of cmake --install, or /usr in the Debian
# package), then installs it. Set by the install rules:
# TINTORA_DESKTOP_TEMPLATE (the entry with %EXEC% to fill in),
# TINTORA_DESKTOP_STAGING, TINTORA_BOOK, TINTORA_DRAW (the picture maker,
# for %DRAW_EXEC%) and TINTORA_APPLICATIONS_DIR (the last three relative to
# the prefix).

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

Desktop_exec_escape("${CMAKE_INSTALL_PREFIX}/${TINTORA_BOOK}" exec)
Desktop_exec_escape("${CMAKE_INSTALL_PREFIX}/${TINTORA_DRAW}" draw_exec)
get_filename_component(entry "${TINTORA_DESKTOP_TEMPLATE}" NAME_WLE)
file(READ "${TINTORA_DESKTOP_TEMPLATE}" text)
string(REPLACE "%EXEC%" "${exec}" text "${text}")
string(REPLACE "%DRAW_EXEC%" "${draw_exec}" text "${text}")
file(WRITE "${TINTORA_DESKTOP_STAGING}/${entry}" "${text}")
file(INSTALL "${TINTORA_DESKTOP_STAGING}/${entry}"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/${TINTORA_APPLICATIONS_DIR}")
