// Toolbar items. Each grey frame is one pixel wider and taller than the
// item's share of the strip: neighbours share a column (the later item wins)
// and the frame's bottom row lies on the board's top grid line.
#include "board/toolbar.h"
#include <SDL_gfxPrimitives.h>

Toolbaritem Toolbaritem_create(int i, Colour c, int menustrip)
{
    return Toolbaritem{i * menustrip, 0, c};
}

void Toolbaritem_draw(SDL_Surface* screen, Toolbaritem t, int menustrip, Colour mousecolour)
{
    boxRGBA(screen, static_cast<Sint16>(t.x), static_cast<Sint16>(t.y), static_cast<Sint16>(t.x + menustrip),
            static_cast<Sint16>(t.y + menustrip), 50, 50, 50, 255);
    const int margin = Colour_cmp(t.c, mousecolour) ? 10 : 5;
    boxRGBA(screen, static_cast<Sint16>(t.x + margin), static_cast<Sint16>(t.y + margin),
            static_cast<Sint16>(t.x + menustrip - margin), static_cast<Sint16>(t.y + menustrip - margin),
            static_cast<Uint8>(t.c.r), static_cast<Uint8>(t.c.g), static_cast<Uint8>(t.c.b), 255);
}

void Toolbar_create(int colourcount, std::span<Toolbaritem> toolbar, std::span<const Colour> colours, int menustrip)
{
    for (int k = 0; k < colourcount; ++k)
        toolbar[static_cast<std::size_t>(k)] = Toolbaritem_create(k, colours[static_cast<std::size_t>(k)], menustrip);
}

void Toolbar_draw(SDL_Surface* screen, int colourcount, std::span<const Toolbaritem> toolbar, int menustrip,
                  Colour mousecolour)
{
    for (int k = 0; k < colourcount; ++k)
        Toolbaritem_draw(screen, toolbar[static_cast<std::size_t>(k)], menustrip, mousecolour);
}
