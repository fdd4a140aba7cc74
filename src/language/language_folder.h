// Where the message catalogues are: share/locale one level above the
// program's folder when installed (bin/../share/locale), or in the program's
// folder itself in a build tree, as with the bundled pictures.
#pragma once
#include <string>

// The folder the running program lies in, as UTF-8; "" when unknown.
std::string Language_program_folder();

// The catalogues' folder for a program in `program_folder`: the build
// tree's share/locale when there is one and no installed tree above, else
// the installed one; "" for an unknown program folder (gettext's own
// folder is used then).
std::string Language_folder_choose(const std::string& program_folder);
