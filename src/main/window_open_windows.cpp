// Choosing the video driver on Windows: SDL's own choice (its Windows GDI
// driver, windib) always opens a real window on the desktop, so there is no
// fallback to rule out. SDL_VIDEODRIVER, when set, is SDL's to read.
#include "main/window_open.h"

SDL_Surface* Window_open(int width, int height)
{
    SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO);
    return SDL_SetVideoMode(width, height, 0, SDL_ANYFORMAT);
}
