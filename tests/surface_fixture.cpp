// Shared set-up for the tests that draw.
#include "surface_fixture.h"
#include <cstdlib>
#include <ostream>

std::function<void(SDL_Surface*)> flip_watch;
int flip_count = 0;

extern "C" int __real_SDL_Flip(SDL_Surface* screen);
extern "C" int __wrap_SDL_Flip(SDL_Surface* screen)
{
    const int result = __real_SDL_Flip(screen);
    ++flip_count;
    if (flip_watch)
        flip_watch(screen);
    return result;
}

void Screen_test::SetUp()
{
    static SDL_Surface* opened = [] {
        if (!std::getenv("SDL_VIDEODRIVER"))
            SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
        SDL_Init(SDL_INIT_VIDEO);
        return SDL_SetVideoMode(800, 900, 32, SDL_SWSURFACE);
    }();
    ASSERT_NE(opened, nullptr) << SDL_GetError();
    ASSERT_EQ(opened->format->BytesPerPixel, 4);
    screen = opened;
    SDL_FillRect(screen, nullptr, 0);
    flip_count = 0;
    flip_watch = nullptr;
}

void Screen_test::TearDown()
{
    flip_watch = nullptr;
}

Rgb Pixel_at(SDL_Surface* surface, int x, int y)
{
    const auto* row = static_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
    const Uint32 pixel = reinterpret_cast<const Uint32*>(row)[x];
    Uint8 r, g, b;
    SDL_GetRGB(pixel, surface->format, &r, &g, &b);
    return Rgb{r, g, b};
}

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
