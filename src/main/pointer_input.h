// Mouse presses: the hit test that tells the toolbar strip from the board,
// and what a press does there (choose a colour, or fill a region).
#pragma once
#include <span>
#include <SDL.h>
#include "board/colour.h"
#include "board/square.h"
#include "board/toolbar.h"

// Board (y > menustrip): writes "x, y" to standard output with no line
// break, sets i, j to the square and returns 1. Toolbar strip (the row
// y = menustrip included): sets i, j to the item and returns 0.
int mouse_detect(int x, int y, int menustrip, int squaresize, int& i, int& j);

// Handles a press of any button at (x, y) in the window: a press on a
// toolbar item makes its colour current and redraws the toolbar; a press on
// the board fills the region around the square. A position outside the
// window is ignored.
void Pointer_press(SDL_Surface* screen, int x, int y, std::span<Square> squares, std::span<const Toolbaritem> toolbar,
                   Colour& mousecolour, int& i, int& j);
