// Saving a picture as it is coloured as a PNG image a person can print or
// send: in their Pictures folder, in Tintora, named after its title and the
// day, never over a file that is there.
#pragma once
#include <string>
#include "book/picture_list.h"

// The file name for `title` on `date` (YYYY-MM-DD), the `copy`th of that
// day from 1: "TITLE DATE.png", then "TITLE DATE (2).png" and on.
// Characters no file name may hold on any platform become '-'; an empty
// title gives "picture". `extension` is the file's kind, ".png" or ".pdf".
std::string Export_file_name(const std::string& title, const std::string& date, int copy,
                             const std::string& extension = ".png");

// Gives the finished file `scratch` (in `folder`) the first free name of
// `title` on `date` with `extension`, never over a file that is there.
// Returns "" and the path in `saved`, or why not; `scratch` is removed
// when it could not be placed.
std::string Export_place(const std::string& scratch, const std::string& folder, const std::string& title,
                         const std::string& date, const std::string& extension, std::string& saved);

// Writes the picture of `entry`, its colouring in `colouring_path` laid
// over it, into `folder` (made when missing). Returns "" and the file's
// path in `saved`, or why it could not.
std::string Picture_export(const Picture_entry& entry, const std::string& colouring_path, const std::string& title,
                           const std::string& folder, const std::string& date, std::string& saved);
