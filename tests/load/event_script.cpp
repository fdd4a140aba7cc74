// Gives the real program input on SDL's dummy video driver, which has none
// of its own. Loaded with LD_PRELOAD, it queues the presses listed in
// TINTORA_PRESSES ("x,y x,y ...") and then a quit request at the program's
// first wait for an event, and counts screen flips, which it writes to
// standard error as "flips: N" when the program shuts SDL down.
#include <SDL.h>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <sstream>
#include <string>

namespace {

struct Script_state {
    bool queued = false;
    int flips = 0;
};

Script_state& State()
{
    static Script_state state;
    return state;
}

template <typename F>
F Real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void Script_queue()
{
    const char* presses = std::getenv("TINTORA_PRESSES");
    std::istringstream in(presses ? presses : "");
    int x, y;
    char comma;
    while (in >> x >> comma >> y) {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.type = SDL_MOUSEBUTTONDOWN;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = SDL_PRESSED;
        e.button.x = static_cast<Uint16>(x);
        e.button.y = static_cast<Uint16>(y);
        SDL_PushEvent(&e);
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

}  // namespace

// The program's wait looks for input with SDL_PumpEvents; so does SDL itself
// while it starts, before its queue takes events, hence not before the first
// picture has been shown.
extern "C" void SDL_PumpEvents()
{
    static const auto real = Real<void (*)()>("SDL_PumpEvents");
    if (!State().queued && State().flips > 0) {
        State().queued = true;
        Script_queue();
    }
    real();
}

extern "C" int SDL_Flip(SDL_Surface* screen)
{
    static const auto real = Real<int (*)(SDL_Surface*)>("SDL_Flip");
    ++State().flips;
    return real(screen);
}

extern "C" void SDL_Quit(void)
{
    static const auto real = Real<void (*)()>("SDL_Quit");
    std::fprintf(stderr, "flips: %d\n", State().flips);
    real();
}
