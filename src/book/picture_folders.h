// Where the book looks: the person's own pictures folder and the folder of
// the book's own executable, from which the painter and the bundled
// pictures are found. Each platform names them its own way; all are UTF-8.
#pragma once
#include <string>

// $XDG_DATA_HOME/tintora/pictures (default ~/.local/share/tintora/pictures)
// on Linux, %APPDATA%\Tintora\pictures on Windows; "" when neither the
// variable nor a home folder is known.
std::string Picture_folder_own();
// Where the painter keeps what a person has coloured, beside the own
// pictures: $XDG_DATA_HOME/tintora/colourings on Linux,
// %APPDATA%\Tintora\colourings on Windows; "" when neither is known.
std::string Colouring_folder_own();
// Where a coloured picture saved as an image goes: the person's Pictures
// folder (`xdg-user-dir PICTURES` on Linux, the Pictures known folder on
// Windows, %USERPROFILE%\Pictures when the shell names none) and Tintora
// in it; "" when no home folder is known.
std::string Picture_export_folder();
// The folder the running book's executable lies in; "" when unknown.
std::string Book_executable_folder();
// The painter's file name beside the book: "tintora" or "tintora.exe".
std::string Painter_file_name();
// The picture maker's: "tintora-draw" or "tintora-draw.exe".
std::string Maker_file_name();

// Where the bundled pictures lie, seen from the book's folder `bin`:
// ../share/tintora/pictures installed on Linux (bin/share/tintora/pictures
// in a build tree); the book's own folder on Windows, where each picture's
// .exe stands beside its .txt.
std::string Picture_folder_bundled(const std::string& bin);
// Whether `name` in the bundled folder is a picture: on Windows that folder
// also holds README.txt (and SDL's stdout.txt and stderr.txt), so only a
// .txt with its own .exe beside it counts; on Linux every one does.
bool Picture_bundled_is(const std::string& folder, const std::string& name);

// Whether `file_name` ends in ".txt" as the file system compares names:
// exactly on Linux; in any case on Windows, where the painter asking for
// owl.txt opens Owl.TXT.
bool Picture_extension_ends(const std::string& file_name);
