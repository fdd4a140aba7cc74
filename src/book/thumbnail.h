// A thumbnail is the picture's first view reduced by one fixed rule: pixel
// (x, y) of the thumbnail is pixel (5x + 2, 5y + 2) of the 800 x 900 view.
// The offset 2 keeps every sample inside a square (the grid lines lie on
// multiples of 20), so the thumbnail shows squares, not grid.
#pragma once
#include <SDL.h>

constexpr int thumbnail_step = 5;
constexpr int thumbnail_offset = 2;
constexpr int thumbnail_width = 160;    // 800 / 5
constexpr int thumbnail_height = 180;   // 900 / 5

// The thumbnail of a view (a 32-bit surface of at least 800 x 900), as a new
// 32-bit surface of the same format; nullptr when out of memory.
SDL_Surface* Thumbnail_reduce(SDL_Surface* view);
