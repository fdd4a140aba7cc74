// Reading a picture file: the eight palette colours, one separator line,
// then the outline grid, whose 'x' cells become outline squares.
#pragma once
#include <cstdio>
#include <span>
#include <string>
#include <vector>
#include "board/colour.h"
#include "board/square.h"

// How one palette entry was read. Positions are what ftell gives on the
// text stream: characters taken so far, after text-mode translation.
struct Palette_trace {
    long start = -1;     // where reading the entry began (before the blanks fscanf skips)
    int fields = 0;      // fscanf's own result: numbers converted, or EOF
    long stop = -1;      // where the conversion stopped: the position of `dropped`
    int dropped = EOF;   // the character dropped after the entry; EOF when none was left
};

// What one character of the grid did.
enum class Grid_effect : unsigned char {
    outline,     // 'x': an outline square at (i, j)
    blank,       // ' ': a square left to colour at (i, j)
    digit,       // ignored, the cursor stays
    line_end,    // '\n': the next row begins
    what,        // answered with "WHAT?", the cursor stays
    edge_end,    // any other character after a row's last square: taken as a line end
    past_last,   // the first character after the last row: reading stops there
};

struct Grid_step {
    int c;              // the character as read
    int i;              // the cursor's column and row when it was read
    int j;
    Grid_effect effect;
};

// What a reader other than the painter may want to know of how a picture
// was read. The painter itself asks for none of it.
struct Picture_trace {
    std::vector<Palette_trace> palette;   // one per entry, in order
    long separator_start = -1;            // where the line after the palette began
    std::string separator;                // that line, without its line end
    long grid_start = -1;                 // where the grid began; step k is at grid_start + k
    std::vector<Grid_step> grid;          // every character the grid loop took, in order
};

// Reads a picture from the text stream `in` into the palette and the board.
// Every palette field the file does not supply is 0. Each unexpected grid
// character writes "WHAT?" and a line break to `report`. Fills `trace`
// when one is given.
void Picture_read(std::FILE* in, int squarecount, std::span<Square> squares, int colourcount,
                  std::span<Colour> colours, Colour bordercolour, std::FILE* report,
                  Picture_trace* trace = nullptr);

// Reads the picture file `name` from the working directory as the painter
// does. Returns an empty string, or why the file cannot be used (the
// palette and the board may then hold part of it).
std::string Picture_file_read(const std::string& name, int squarecount, std::span<Square> squares,
                              int colourcount, std::span<Colour> colours, Colour bordercolour,
                              std::FILE* report, Picture_trace* trace = nullptr);

// The one line that says a picture file cannot be used: its name, the
// folder it was looked for in, and why. Ends with a line break.
std::string Picture_failure_message(const std::string& name, const std::string& why);
// The same line for a file looked for in `folder` rather than the working
// directory (a checker given a path with folders).
std::string Picture_failure_message_in(const std::string& name, const std::string& folder, const std::string& why);

// Opens the picture file named after `path` (see exename) in the working
// directory and reads it, reporting unexpected characters on standard
// output. When the file cannot be used, writes Picture_failure_message on
// standard error and returns false.
bool File_read(int squarecount, std::span<Square> squares, int colourcount, std::span<Colour> colours,
               Colour bordercolour, const char* path);
