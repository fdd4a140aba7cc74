// Whether tintora-check would warn about a picture, for the mark on its
// thumbnail. The book asks; the checker answers.
#pragma once
#include <span>
#include <string>
#include "board/colour.h"
#include "board/square.h"
#include "picture_file/file_read.h"

// A picture as the book has just read it (with the working directory set to
// its folder): all the checker needs to analyse it without reading it again.
struct Picture_reading {
    const std::string& name;              // the file name, <picture>.txt
    const std::string& folder;            // its folder (UTF-8)
    std::span<const Square> squares;      // the board as read
    std::span<const Colour> colours;      // the palette as read
    const Picture_trace& trace;
};

// True when tintora-check would warn about this picture.
bool Picture_has_warnings(const Picture_reading& reading);
