// Where the book finds the painter and the bundled pictures, from its own
// executable's folder: installed, bin/tintora-book finds bin/tintora and
// share/tintora/pictures; in a build tree, build/tintora-book finds
// build/tintora and build/share/tintora/pictures, a link CMake makes to the
// source's pictures folder. No path is compiled in, so two builds of one
// commit in different folders give the same program.
#pragma once
#include <string>

struct Book_places {
    std::string painter;   // the painter's executable
    std::string maker;     // the picture maker's executable, beside it
    std::string bundled;   // the bundled pictures folder
    std::string own;       // the person's own pictures folder
    std::string colourings;// where the painter keeps what was coloured ("" when unknown)
};

// `executable_folder` is where the book lies ("" when unknown: then only the
// person's own pictures are found).
Book_places Book_places_find(const std::string& executable_folder);
