// A picture for paper: as coloured, but with the outlines black and the
// squares not coloured white, as a colouring-book page is printed, rather
// than the window's dark grey and light grey.
#pragma once
#include <span>
#include "board/colour.h"
#include "board/square.h"

constexpr Colour print_outline{0, 0, 0};
constexpr Colour print_blank{255, 255, 255};

// Recolours `squares` (a board read and coloured, whose palette is
// `colours`) for printing: the ring and every square a colouring file would
// call an outline become print_outline, every one it would call not
// coloured print_blank; coloured squares keep their colour.
void Squares_for_print(std::span<Square> squares, std::span<const Colour> colours);
