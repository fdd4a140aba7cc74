// Opening the program's window. Left to itself, SDL falls back to drivers
// that show no window (a text-mode terminal, an offscreen buffer) when no
// display can be reached; the program treats those as no window at all.
#pragma once
#include <SDL.h>

// Initialises SDL and opens a width x height window, trying only drivers
// that open a real window unless SDL_VIDEODRIVER names one. Returns nullptr
// when no window could be opened.
SDL_Surface* Window_open(int width, int height);
