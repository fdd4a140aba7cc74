// Reading a picture file: the eight palette colours, one separator line,
// then the outline grid, whose 'x' cells become outline squares.
#pragma once
#include <cstdio>
#include <span>
#include <string>
#include "board/colour.h"
#include "board/square.h"

// What a reader other than the painter may want to know of how a picture
// was read. The painter itself asks for none of it.
struct Picture_trace {
    std::string separator;   // the line after the palette, without its line end
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

// Opens the picture file named after `path` (see exename) in the working
// directory and reads it, reporting unexpected characters on standard
// output. When the file cannot be used, writes Picture_failure_message on
// standard error and returns false.
bool File_read(int squarecount, std::span<Square> squares, int colourcount, std::span<Colour> colours,
               Colour bordercolour, const char* path);
