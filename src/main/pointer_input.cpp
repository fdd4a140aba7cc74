// Pointer input. Every button counts the same, the wheel's included.
#include "main/pointer_input.h"
#include <cstdio>
#include "board/geometry.h"
#include "fill/square_colour.h"
#include "main/event_wait.h"

int mouse_detect(int x, int y, int menustrip, int squaresize, int& i, int& j)
{
    if (y > menustrip) {
        std::printf("%d, %d", x, y);
        i = x / squaresize;
        j = (y - menustrip) / squaresize;
        return 1;
    }
    i = x / menustrip;
    j = y / menustrip;
    return 0;
}

void Pointer_press(SDL_Surface* screen, int x, int y, std::span<Square> squares, std::span<const Toolbaritem> toolbar,
                   Colour& mousecolour, int& i, int& j)
{
    // The board and the strip cover the window exactly; a position beyond
    // it would name a square or item that does not exist.
    if (x < 0 || y < 0 || x >= WIDTH || y >= HEIGHT)
        return;
    if (mouse_detect(x, y, menustrip, squaresize, i, j)) {
        // Input that arrives while the fill runs is taken in after each
        // square and handled, in order, when the fill is over.
        Square_colour(screen, i, j, squarecount, squares, bordercolour, mousecolour, Event_take_in);
    } else {
        mousecolour = toolbar[static_cast<std::size_t>(i)].c;
        Toolbar_draw(screen, colourcount, toolbar, menustrip, mousecolour);
        SDL_Flip(screen);
    }
}
