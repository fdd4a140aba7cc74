// The window in the browser: the page's canvas, which Emscripten's SDL 1.2
// draws into. The page shows standard output and error as the program
// writes them, byte by byte (web/paint.js), so neither is buffered here:
// a "WHAT?" line or a press's coordinates appear at once, as in a terminal.
#include "main/window_open.h"
#include <cstdio>
#include "main/screen_web.h"

SDL_Surface* Window_open(int width, int height)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO);
    SDL_Surface* screen = SDL_SetVideoMode(width, height, 0, SDL_ANYFORMAT);
    if (screen)
        Screen_hold(screen);
    return screen;
}
