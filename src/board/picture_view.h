// A picture's first view drawn off screen, exactly as the window shows it
// on start: the toolbar with the first colour chosen, above the board, on
// black, by the window's own drawing code. For showing a picture anywhere
// but in the painter's window (a preview, a thumbnail).
#pragma once
#include <span>
#include <SDL.h>
#include "board/colour.h"
#include "board/square.h"

// A WIDTH x HEIGHT 32-bit surface (0x00RRGGBB pixels, as a 24-bit X display
// gives them) showing the board `squares` and the palette `colours`. Needs
// no display. Free it with SDL_FreeSurface; nullptr when out of memory.
SDL_Surface* Picture_view_create(int squarecount, std::span<const Square> squares, int colourcount,
                                 std::span<const Colour> colours);
// The same with `mousecolour` current instead of the first colour: a
// picture as it was left, its last chosen swatch included.
SDL_Surface* Picture_view_create_chosen(int squarecount, std::span<const Square> squares, int colourcount,
                                        std::span<const Colour> colours, Colour mousecolour);
