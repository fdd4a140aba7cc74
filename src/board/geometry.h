// The window's fixed geometry and the two colours the board is built from.
// The board is exactly as wide as the window and fills it below the toolbar
// strip, and the toolbar's items exactly tile the strip: every pixel of the
// window belongs to one square or one toolbar item.
#pragma once
#include "board/colour.h"

constexpr int WIDTH = 800;                                   // window width in pixels
constexpr int menustrip = 100;                               // toolbar strip height, and each item's side
constexpr int HEIGHT = menustrip + WIDTH;                    // window height in pixels
constexpr int squaresize = 20;                               // side of one board square
constexpr int squarecount = (HEIGHT - menustrip) / squaresize; // squares along each side of the board
constexpr int colourcount = 8;                               // palette entries and toolbar items
constexpr Colour defaultcolour{200, 200, 200};               // every square when the board is built
constexpr Colour bordercolour{20, 20, 20};                   // outlines: the ring and the picture's own

static_assert(squarecount * squaresize == WIDTH, "the board must be as wide as the window");
static_assert(colourcount * menustrip == WIDTH, "the toolbar items must tile the strip");
