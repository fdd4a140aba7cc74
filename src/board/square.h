// Board squares: placing them, building the board with its outline ring,
// and drawing them. The board is squarecount x squarecount squares stored
// column by column: square (i, j) is element i * squarecount + j.
#pragma once
#include <span>
#include <SDL.h>
#include "board/colour.h"

struct Square {
    int x;      // left edge in window pixels
    int y;      // top edge in window pixels
    Colour c;
};

Square Square_create(int i, int j, int squaresize, int menustrip, Colour c);
void Square_draw(SDL_Surface* screen, Square s, int squaresize);
void Squares_create(int squarecount, std::span<Square> squares, int squaresize, int menustrip,
                    Colour defaultcolour, Colour bordercolour);
void Squares_draw(SDL_Surface* screen, int squarecount, std::span<const Square> squares, int squaresize);
