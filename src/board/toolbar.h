// The toolbar: one swatch per palette colour across the top strip. Every
// item whose colour is the current colour shows a smaller swatch in a wider
// grey frame, so selection is by colour, not by position.
#pragma once
#include <span>
#include <SDL.h>
#include "board/colour.h"

struct Toolbaritem {
    int x;      // left edge in window pixels
    int y;      // top edge in window pixels (always 0)
    Colour c;   // the palette colour the item offers
};

Toolbaritem Toolbaritem_create(int i, Colour c, int menustrip);
void Toolbaritem_draw(SDL_Surface* screen, Toolbaritem t, int menustrip, Colour mousecolour);
void Toolbar_create(int colourcount, std::span<Toolbaritem> toolbar, std::span<const Colour> colours, int menustrip);
void Toolbar_draw(SDL_Surface* screen, int colourcount, std::span<const Toolbaritem> toolbar, int menustrip,
                  Colour mousecolour);
