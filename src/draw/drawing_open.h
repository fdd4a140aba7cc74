// Opening a picture file in the maker: read once, by the painter's own
// reader (through the checker), so that what the maker shows is what the
// painter shows, and compared with what a save would write, so that the
// first save can name every line it changes.
#pragma once
#include <string>
#include <vector>
#include "draw/drawing.h"
#include "draw/file_replace.h"

struct Drawing_opened {
    std::string why;                    // non-empty: the painter refuses the file, with its message
    Drawing drawing;                    // the picture as the painter shows it
    std::vector<std::string> changes;   // each line a save would change, in words (Save_changes)
    File_seen seen;                     // the file as it was read, to see later whether it changed
};

// Opens `path`. A file that does not exist is a new picture to be saved there.
Drawing_opened Drawing_open(const std::string& path);

// What tintora-check would warn about in the title line of the file a save
// would write now (a title that reads as a row of the picture, say), in its
// own words. Only the title line is judged, and in memory.
std::vector<std::string> Drawing_warnings(const Drawing& drawing);
