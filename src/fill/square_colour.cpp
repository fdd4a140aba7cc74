// The region fill with its drawing: one whole-board redraw and one flip per
// recoloured square. Squares of the outline colour and squares that already
// have the current colour bound the region. Input that arrives meanwhile is
// taken in after each square and handled when the fill is over.
#include "fill/square_colour.h"
#include "fill/region_fill.h"
#include "main/event_wait.h"

void Square_colour(SDL_Surface* screen, int i, int j, int squarecount, std::span<Square> squares, Colour bordercolour,
                   Colour mousecolour)
{
    Region_fill(i, j, squarecount, squares, bordercolour, mousecolour, [&] {
        Squares_draw(screen, squarecount, squares, 20);
        SDL_Flip(screen);
        Event_take_in();
    });
}
