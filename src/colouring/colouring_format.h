// A kept colouring: what a child has coloured of one picture, as a small
// text file a later release can still read (docs/colourings.md). Plain
// logic: turning a board into the file's text and back, and telling whether
// a colouring belongs to the picture it is about to be laid over.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include "board/colour.h"
#include "board/geometry.h"
#include "board/square.h"

// The squares inside the outline ring: only these can ever be coloured.
constexpr int colouring_side = squarecount - 2;
constexpr const char* colouring_format_line = "tintora-colouring 1";

// One cell of the file: '.' uncoloured, 'x' an outline of the picture, or
// '0'..'7', the palette colour it was filled with.
struct Colouring {
    std::uint64_t digest = 0;   // of the picture it was made on (Picture_digest)
    int swatch = 0;             // the palette entry chosen last
    std::array<char, colouring_side * colouring_side> cells{};   // row by row, from the top left
};

// FNV-1a 64 over the palette's values and the board's outlines as read,
// before anything is coloured: a picture whose colours or outlines have
// changed since gets another digest. Its title line does not count.
std::uint64_t Picture_digest(std::span<const Square> squares, std::span<const Colour> colours);

// The colouring a board shows now. `digest` is that of the picture as read.
Colouring Colouring_take(std::uint64_t digest, std::span<const Square> squares, std::span<const Colour> colours,
                         Colour mousecolour);

// Lays `colouring` over a board just read, whose digest is `digest`, and
// sets the chosen colour. Returns "" when done, else why not, and then
// leaves the board and the colour as they were: another picture's colouring
// (another digest), or one whose outlines are not the board's.
std::string Colouring_apply(const Colouring& colouring, std::uint64_t digest, std::span<Square> squares,
                            std::span<const Colour> colours, Colour& mousecolour);

// The file's text: the format line, "digest" and 16 hex digits, "swatch"
// and its number, then colouring_side lines of colouring_side cells.
std::string Colouring_text(const Colouring& colouring);

// Reads a file's text. Returns "" and fills `colouring`, or says what is
// wrong with it (in words for the book's message line); never reads past
// the text, whatever it holds.
std::string Colouring_parse(std::string_view text, Colouring& colouring);
