// Reading a picture file: the eight palette colours, one separator line,
// then the outline grid, whose 'x' cells become outline squares.
#pragma once
#include <cstdio>
#include <span>
#include "board/colour.h"
#include "board/square.h"

// Reads a picture from the text stream `in` into the palette and the board.
// Every palette field the file does not supply is 0. Each unexpected grid
// character writes "WHAT?" and a line break to `report`.
void Picture_read(std::FILE* in, int squarecount, std::span<Square> squares, int colourcount,
                  std::span<Colour> colours, Colour bordercolour, std::FILE* report);

// Opens the picture file named after `path` (see exename) in the working
// directory and reads it, reporting unexpected characters on standard
// output. When the file cannot be read, writes why on standard error, names
// the file and the folder it was looked for in, and returns false; the
// palette and the board are then left as they were.
bool File_read(int squarecount, std::span<Square> squares, int colourcount, std::span<Colour> colours,
               Colour bordercolour, const char* path);
