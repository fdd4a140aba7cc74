// Opening a picture file in the maker: read by the painter's own reader
// (through the checker, which also says in words what the file does that
// the maker cannot keep), so that what the maker shows is what the painter
// shows.
#pragma once
#include <string>
#include <vector>
#include "draw/drawing.h"

struct Drawing_opened {
    std::string why;                    // non-empty: the painter refuses the file, with its message
    Drawing drawing;                    // the picture as the painter shows it
    std::vector<std::string> changes;   // the checker's warnings: what a save will change
};

// Opens `path`. A file that does not exist is a new picture to be saved there.
Drawing_opened Drawing_open(const std::string& path);

// What tintora-check would warn about in the file a save would write now
// (a title that reads as a row of the picture, say), in its own words.
std::vector<std::string> Drawing_warnings(const Drawing& drawing);
