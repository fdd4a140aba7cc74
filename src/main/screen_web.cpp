#include "main/screen_web.h"
#include <emscripten.h>

void Screen_hold(SDL_Surface* screen)
{
    // Nothing but the program draws on the canvas, so a lock need not
    // read the canvas back: memory already holds the picture.
    EM_ASM({ Module.screenIsReadOnly = true; });
    SDL_LockSurface(screen);
}

void Screen_show()
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (!screen)
        return;
    // The last unlock hands the picture to the canvas; locking again
    // keeps the drawing where it is.
    SDL_UnlockSurface(screen);
    SDL_LockSurface(screen);
}
