// Where the book finds the painter and the bundled pictures: beside its own
// executable when installed (bin/tintora-book, bin/tintora and
// share/tintora/pictures), else in the build tree it was built in.
#pragma once
#include <string>

struct Book_places {
    std::string painter;   // the painter's executable
    std::string bundled;   // the bundled pictures folder
    std::string own;       // the person's own pictures folder
};

// `executable_folder` is where the book lies; `build_pictures` the source
// tree's pictures folder, used when no installed pictures folder lies
// beside the executable.
Book_places Book_places_find(const std::string& executable_folder, const std::string& build_pictures);
