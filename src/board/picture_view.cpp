// The first view off screen: the same steps the main routine takes after
// reading the picture (toolbar from the palette, first colour current,
// toolbar then board drawn), onto a surface of the program's own.
#include "board/picture_view.h"
#include <vector>
#include "board/geometry.h"
#include "board/toolbar.h"

SDL_Surface* Picture_view_create(int squarecount, std::span<const Square> squares, int colourcount,
                                 std::span<const Colour> colours)
{
    return Picture_view_create_chosen(squarecount, squares, colourcount, colours, colours[0]);
}

SDL_Surface* Picture_view_create_chosen(int squarecount, std::span<const Square> squares, int colourcount,
                                        std::span<const Colour> colours, Colour mousecolour)
{
    // A new surface is all zeros: black, as the window is before its first draw.
    SDL_Surface* view = SDL_CreateRGBSurface(SDL_SWSURFACE, WIDTH, HEIGHT, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    if (!view)
        return nullptr;
    std::vector<Toolbaritem> toolbar(static_cast<std::size_t>(colourcount));
    Toolbar_create(colourcount, toolbar, colours, menustrip);
    Toolbar_draw(view, colourcount, toolbar, menustrip, mousecolour);
    Squares_draw(view, squarecount, squares, squaresize);
    return view;
}
