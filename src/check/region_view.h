// A picture's first view with every region tinted a colour of its own and
// the regions too small to hit ringed, so that a leak in an outline (two
// parts in one tint) or a stray gap shows at a glance.
#pragma once
#include <SDL.h>
#include "check/picture_check.h"

// Drawn by the window's own drawing code (see Picture_view_create); free it
// with SDL_FreeSurface; nullptr when out of memory.
SDL_Surface* Region_view_create(const Picture_check& check);
