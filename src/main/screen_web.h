// The window's picture in the browser. Emscripten's SDL copies the whole
// canvas into memory each time the screen is locked and back each time it
// is unlocked, and SDL_gfx locks it for every box it draws: one board of
// 1,600 boxes would be 3,200 copies of 800 x 900 pixels, seconds of work.
// So the screen stays locked from the moment the window opens, everything
// is drawn in memory, and the canvas is given the picture when the page
// gets its turn: once per display frame during a fill, and whenever the
// program waits for input.
#pragma once
#include <SDL.h>

// Keeps `screen` locked for good; call once, right after it is made.
void Screen_hold(SDL_Surface* screen);

// Copies what the program has drawn so far to the canvas.
void Screen_show();
