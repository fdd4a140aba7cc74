// The board as the program builds it at start (the outline ring around a
// default interior), and reaching its squares by column and row, for the
// in-process tests of building, drawing and filling.
#pragma once
#include <array>
#include "board/geometry.h"
#include "board/square.h"

using Board = std::array<Square, squarecount * squarecount>;

inline Board Board_built()
{
    Board squares{};
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    return squares;
}

inline Square& At(Board& squares, int i, int j)
{
    return squares[static_cast<std::size_t>(i * squarecount + j)];
}
