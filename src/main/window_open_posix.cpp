// Choosing the video driver on X11 and Wayland, and how a window on X11 is
// shown. A driver that draws into the terminal writes control codes to
// standard output as soon as it starts, so the fallback drivers are never
// started at all rather than refused afterwards.
#include "main/window_open.h"
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

struct Window_driver {
    const char* name;
    const char* display_variable;   // tried only when this names a display
};

// X11 first: on a Wayland desktop it reaches XWayland, and SDL 1.2 itself
// has no Wayland driver (only the layer over SDL2 has).
constexpr Window_driver window_drivers[] = {{"x11", "DISPLAY"}, {"wayland", "WAYLAND_DISPLAY"}};

// How the SDL 1.2 layer over SDL2 shows each flip on X11. Left to itself it
// uploads the whole window to a GL texture and swaps buffers, once per
// recoloured square: 4 to 9 ms a flip without a GPU, and tied to the GPU
// driver's swap (possibly a whole display refresh) with one. With these two
// it copies the window into a shared-memory X image and puts it, as the
// original SDL 1.2 does on every X server: about 1 ms a flip. The original
// reads neither variable. A value the user has set, even an empty one (SDL's
// own choice), always wins.
constexpr const char* x11_presentation[][2] = {{"SDL_RENDER_DRIVER", "software"},
                                               {"SDL_FRAMEBUFFER_ACCELERATION", "0"}};
constexpr std::size_t x11_presentation_count = std::size(x11_presentation);

struct Presentation_set {
    bool set[x11_presentation_count] = {};   // which of them this program set
};

Presentation_set Presentation_default()
{
    Presentation_set made;
    for (std::size_t k = 0; k < x11_presentation_count; ++k) {
        made.set[k] = std::getenv(x11_presentation[k][0]) == nullptr;
        setenv(x11_presentation[k][0], x11_presentation[k][1], 0);
    }
    return made;
}

// Takes back the defaults when X11 gave no window, so the next driver gets
// SDL's own choice.
void Presentation_undo(const Presentation_set& made)
{
    for (std::size_t k = 0; k < x11_presentation_count; ++k)
        if (made.set[k])
            unsetenv(x11_presentation[k][0]);
}

SDL_Surface* Window_try(int width, int height)
{
    SDL_Init(SDL_INIT_TIMER | SDL_INIT_VIDEO);
    return SDL_SetVideoMode(width, height, 0, SDL_ANYFORMAT);
}

}  // namespace

SDL_Surface* Window_open(int width, int height)
{
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (asked && *asked) {
        if (std::strcmp(asked, "x11") == 0)
            Presentation_default();
        return Window_try(width, height);
    }
    for (const Window_driver& driver : window_drivers) {
        const char* display = std::getenv(driver.display_variable);
        if (!display || !*display)
            continue;
        setenv("SDL_VIDEODRIVER", driver.name, 1);
        const bool x11 = std::strcmp(driver.name, "x11") == 0;
        const Presentation_set made = x11 ? Presentation_default() : Presentation_set{};
        SDL_Surface* screen = Window_try(width, height);
        if (screen) {
            // The presentation defaults stay set: SDL2 reads its settings
            // when it needs them, not only while the window is opened.
            unsetenv("SDL_VIDEODRIVER");
            return screen;
        }
        SDL_Quit();
        Presentation_undo(made);
    }
    unsetenv("SDL_VIDEODRIVER");
    return nullptr;
}
