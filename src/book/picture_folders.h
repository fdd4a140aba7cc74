// Where the book looks: the person's own pictures folder and the folder of
// the book's own executable, from which the painter and the bundled
// pictures are found. Each platform names them its own way; all are UTF-8.
#pragma once
#include <string>

// $XDG_DATA_HOME/tintora/pictures (default ~/.local/share/tintora/pictures)
// on Linux, %APPDATA%\Tintora\pictures on Windows; "" when neither the
// variable nor a home folder is known.
std::string Picture_folder_own();
// The folder the running book's executable lies in; "" when unknown.
std::string Book_executable_folder();
// The painter's file name beside the book: "tintora" or "tintora.exe".
std::string Painter_file_name();
