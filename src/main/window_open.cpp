// Choosing the video driver. A driver that draws into the terminal writes
// control codes to standard output as soon as it starts, so the fallback
// drivers are never started at all rather than refused afterwards.
#include "main/window_open.h"
#include <cstdlib>

namespace {

struct Window_driver {
    const char* name;
    const char* display_variable;   // tried only when this names a display
};

// X11 first: on a Wayland desktop it reaches XWayland, and SDL 1.2 itself
// has no Wayland driver (only the layer over SDL2 has).
constexpr Window_driver window_drivers[] = {{"x11", "DISPLAY"}, {"wayland", "WAYLAND_DISPLAY"}};

SDL_Surface* Window_try(int width, int height)
{
    SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO);
    return SDL_SetVideoMode(width, height, 0, SDL_ANYFORMAT);
}

}  // namespace

SDL_Surface* Window_open(int width, int height)
{
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (asked && *asked)
        return Window_try(width, height);
    for (const Window_driver& driver : window_drivers) {
        const char* display = std::getenv(driver.display_variable);
        if (!display || !*display)
            continue;
        setenv("SDL_VIDEODRIVER", driver.name, 1);
        SDL_Surface* screen = Window_try(width, height);
        if (screen) {
            unsetenv("SDL_VIDEODRIVER");
            return screen;
        }
        SDL_Quit();
    }
    unsetenv("SDL_VIDEODRIVER");
    return nullptr;
}
