// What printing needs from the platform: the person's paper, the font the
// title is set in, and the desktop's viewer that shows (and prints) the
// page. Each platform has its own file.
#pragma once
#include <string>
#include "book/print_layout.h"

// The person's paper: libpaper's choice on Linux (PAPERSIZE, then
// /etc/papersize), the locale's on Windows (letter or A4); A4 when nothing
// says, or names a paper that is not known.
Paper Paper_chosen();

// The TrueType font the title is set in, seen from the book's folder `bin`:
// Debian's DejaVu Sans on Linux, the copy beside the programs on Windows.
std::string Print_font_file(const std::string& bin);

// Opens the file `path` (UTF-8) in the desktop's viewer for its kind and
// does not wait for it. Returns "" once the viewer is on its way, or why it
// could not be started.
std::string File_show(const std::string& path);
