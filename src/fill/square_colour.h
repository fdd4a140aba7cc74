// The region fill as the user sees it: the outlined region around a square
// takes the current colour one square at a time, the whole board redrawn
// and shown after each square so the colour visibly spreads.
#pragma once
#include <span>
#include <SDL.h>
#include "board/colour.h"
#include "board/square.h"

void Square_colour(SDL_Surface* screen, int i, int j, int squarecount, std::span<Square> squares, Colour bordercolour,
                   Colour mousecolour);
