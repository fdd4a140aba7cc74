// The region fill as the user sees it: the outlined region around a square
// takes the current colour one square at a time, the whole board redrawn
// and shown after each square so the colour visibly spreads.
#pragma once
#include <span>
#include <SDL.h>
#include "board/colour.h"
#include "board/square.h"

// Runs after each square has been shown. The program takes in the input
// that arrived meanwhile (Event_take_in), so nothing piles up during a long
// fill; the fill itself knows nothing of events.
using Square_step = void (*)();

void Square_colour(SDL_Surface* screen, int i, int j, int squarecount, std::span<Square> squares, Colour bordercolour,
                   Colour mousecolour, Square_step after_square);
