// The floors a fill is compared with, in the window the program opens: 1444 x
// (1600 boxRGBA squares + SDL_Flip), the work the per-square redraw demands;
// 1444 x (one boxRGBA of the whole board + SDL_Flip), the least any redraw
// could cost; and 1444 flips alone. Prints "demanded_ns least_ns flip_ns".
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <SDL.h>
#include <SDL_gfxPrimitives.h>
#include "main/window_open.h"

namespace {

constexpr int steps = 1444;   // squares of an empty 38 x 38 interior

std::int64_t Clock_ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

std::int64_t Floor_demanded(SDL_Surface* screen)
{
    const std::int64_t start = Clock_ns();
    for (int step = 0; step < steps; ++step) {
        for (int i = 0; i < 40; ++i)
            for (int j = 0; j < 40; ++j) {
                const int x = 20 * i + 1;
                const int y = 100 + 20 * j + 1;
                // The step number shifts the colours so every redraw is real.
                boxRGBA(screen, static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Sint16>(x + 18),
                        static_cast<Sint16>(y + 18), static_cast<Uint8>(step), static_cast<Uint8>(i * 6),
                        static_cast<Uint8>(j * 6), 255);
            }
        SDL_Flip(screen);
    }
    return Clock_ns() - start;
}

std::int64_t Floor_least(SDL_Surface* screen)
{
    // Drawn as the board's squares are, with SDL_gfx, which in the browser
    // draws in memory where SDL's own SDL_FillRect would paint the canvas.
    const std::int64_t start = Clock_ns();
    for (int step = 0; step < steps; ++step) {
        boxRGBA(screen, 0, 100, 799, 899, static_cast<Uint8>(step), 100, 200, 255);
        SDL_Flip(screen);
    }
    return Clock_ns() - start;
}

std::int64_t Floor_flip(SDL_Surface* screen)
{
    const std::int64_t start = Clock_ns();
    for (int step = 0; step < steps; ++step)
        SDL_Flip(screen);
    return Clock_ns() - start;
}

}  // namespace

int main(int, char*[])   // the form SDL's start-up layer calls on Windows
{
    SDL_Surface* screen = Window_open(800, 900);
    if (!screen) {
        std::fputs("no window\n", stderr);
        return 1;
    }
    SDL_WM_SetCaption("Tintora floor", "Tintora floor");
    SDL_Flip(screen);
    const std::int64_t demanded = Floor_demanded(screen);
    const std::int64_t least = Floor_least(screen);
    const std::int64_t flip = Floor_flip(screen);
    std::printf("%lld %lld %lld\n", static_cast<long long>(demanded), static_cast<long long>(least),
                static_cast<long long>(flip));
    SDL_Quit();
    return 0;
}
