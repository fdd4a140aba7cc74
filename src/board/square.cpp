// Board squares. A square paints its cell less a one-pixel margin, so the
// unpainted column and row of every cell show as a grid between squares.
#include "board/square.h"
#include <SDL_gfxPrimitives.h>

Square Square_create(int i, int j, int squaresize, int menustrip, Colour c)
{
    return Square{i * squaresize, menustrip + j * squaresize, c};
}

void Square_draw(SDL_Surface* screen, Square s, int squaresize)
{
    const int margin = 1;
    // Components are drawn by their low byte: 256 shows as 0, -1 as 255.
    boxRGBA(screen, static_cast<Sint16>(s.x + margin), static_cast<Sint16>(s.y + margin),
            static_cast<Sint16>(s.x + squaresize - margin), static_cast<Sint16>(s.y + squaresize - margin),
            static_cast<Uint8>(s.c.r), static_cast<Uint8>(s.c.g), static_cast<Uint8>(s.c.b), 255);
}

void Squares_create(int squarecount, std::span<Square> squares, int squaresize, int menustrip,
                    Colour defaultcolour, Colour bordercolour)
{
    auto at = [&](int i, int j) -> Square& { return squares[static_cast<std::size_t>(i * squarecount + j)]; };
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j)
            at(i, j) = Square_create(i, j, squaresize, menustrip, defaultcolour);
    // The outline ring keeps every fill inside the board.
    const int last = squarecount - 1;
    for (int i = 0; i < squarecount; ++i)
        at(i, 0) = Square_create(i, 0, squaresize, menustrip, bordercolour);
    for (int i = 0; i < squarecount; ++i)
        at(i, last) = Square_create(i, last, squaresize, menustrip, bordercolour);
    for (int j = 0; j < squarecount; ++j)
        at(0, j) = Square_create(0, j, squaresize, menustrip, bordercolour);
    for (int j = 0; j < squarecount; ++j)
        at(last, j) = Square_create(last, j, squaresize, menustrip, bordercolour);
}

void Squares_draw(SDL_Surface* screen, int squarecount, std::span<const Square> squares, int squaresize)
{
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j)
            Square_draw(screen, squares[static_cast<std::size_t>(i * squarecount + j)], squaresize);
}
