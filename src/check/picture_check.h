// Checking a picture file for its author: the picture is read by the
// painter's own reader, with a trace, and what it did is explained as
// diagnostics with line and column, then summed up (rows, outlines,
// regions). Plain logic: no window and no SDL video.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>
#include "board/colour.h"
#include "board/geometry.h"
#include "board/square.h"
#include "check/regions.h"
#include "picture_file/file_read.h"
#include "picture_file/text_decode.h"
#include "picture_file/text_stream.h"

enum class Severity { warning, note };

struct Diagnostic {
    int line;      // from 1, as an editor counts
    int column;    // from 1
    Severity severity;
    std::string message;
};

// Everything the checker knows of one picture file.
struct Picture_check {
    std::string why;   // non-empty: the file cannot be used, for this reason (as the painter gives it)
    std::vector<Diagnostic> diagnostics;
    std::array<Square, squarecount * squarecount> squares{};
    std::array<Colour, colourcount> colours{};
    std::string separator;     // the line after the palette (the title line), as read
    Region_map regions;
    int rows_used = 0;         // the lowest board row a grid character fell on
    int outline_squares = 0;   // outline squares inside the ring
};

// What the checker needs besides the trace: the text as the reader took it
// (decoded and translated), how much of the file lies beyond a Ctrl-Z that
// ended it, how the file was stored and where its UTF-16 broke off.
struct Picture_source {
    std::string_view text;
    std::size_t nonblank_after_ctrl_z = 0;   // non-blank bytes after it; 0 without one
    Text_encoding encoding = Text_encoding::utf8;
    Text_break broken{};
};

// Explains a read picture. `check` holds the board and palette as read;
// its diagnostics, regions and counts are filled in.
void Picture_analyse(const Picture_trace& trace, const Picture_source& source, Picture_check& check);

// Reads the picture file at `path` once, as the painter reads its picture
// (same decoding, text mode and reader), and analyses what was read: the
// reader and the lines and columns see the same bytes however the file
// changes meanwhile. When the file cannot be used, `why` is set and
// nothing else is.
Picture_check Picture_check_file(const std::string& path);
// The same for a text already in memory (a file's bytes made into the
// reader's text by Picture_text_make): no file is read or written, so it
// holds when the temporary folder is full or read-only.
Picture_check Picture_check_text(const Picture_text& text);

// "FILE:LINE:COLUMN: warning: MESSAGE"
std::string Diagnostic_format(const std::string& file, const Diagnostic& d);
// One line on the picture as a whole: rows, outline squares, regions and the smallest.
std::string Picture_summary(const std::string& file, const Picture_check& check);
// The regions small enough to be hard to hit with a click.
constexpr int tiny_region = 2;
// Whether any diagnostic is a warning.
bool Picture_warns(const Picture_check& check);
// The checker's exit status for one file: 0 nothing to warn about, 1
// warnings, 2 the file cannot be read.
int Picture_status(const Picture_check& check);
