// The region fill with its drawing: one whole-board redraw and one flip per
// recoloured square, then the caller's step. Squares of the outline colour
// and squares that already have the current colour bound the region.
#include "fill/square_colour.h"
#include "fill/region_fill.h"

void Square_colour(SDL_Surface* screen, int i, int j, int squarecount, std::span<Square> squares, Colour bordercolour,
                   Colour mousecolour, Square_step after_square)
{
    Region_fill(i, j, squarecount, squares, bordercolour, mousecolour, [&] {
        Squares_draw(screen, squarecount, squares, 20);
        SDL_Flip(screen);
        after_square();
    });
}
