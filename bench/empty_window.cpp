// The least a program can do to show a picture: open the same window the
// program opens, the same way, flip it once and quit. Start-up of the real
// program is measured against this.
#include <SDL.h>
#include "main/window_open.h"

int main()
{
    SDL_Surface* screen = Window_open(800, 900);
    if (!screen)
        return 1;
    SDL_WM_SetCaption("Tintora", "Tintora");
    SDL_Flip(screen);
    SDL_Quit();
    return 0;
}
