// The picture file's name, derived from the name the program was started
// under: one executable shows a different picture under each name.
#pragma once
#include <string>
#include <string_view>

// The derived name, from start-up until the main routine releases it.
extern std::string freethis;

// The file name is what follows the last '/' or '\'; its stem runs to the
// first '.', or is the whole name when it has none. "C:\pics\cat.exe" and
// "./cat" both give "cat.txt", "/opt/pics/my.cat" gives "my.txt".
// The result is also stored in freethis.
std::string exename(std::string_view path);
