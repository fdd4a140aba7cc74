// The region view: the board's non-outline squares take their region's
// tint, then Picture_view_create draws toolbar and board as the window
// would, and SDL_gfx rings each tiny region.
#include "check/region_view.h"
#include <cmath>
#include <SDL_gfxPrimitives.h>
#include "board/picture_view.h"

namespace {

// Tints far apart in hue for neighbouring region numbers (golden-ratio
// steps), light enough that the dark outlines stand out.
Colour Region_tint(int number)
{
    const double hue = std::fmod(number * 0.618033988749895, 1.0) * 6.0;
    const double x = 1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0);
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hue)) {
    case 0: r = 1, g = x; break;
    case 1: r = x, g = 1; break;
    case 2: g = 1, b = x; break;
    case 3: g = x, b = 1; break;
    case 4: r = x, b = 1; break;
    default: r = 1, b = x; break;
    }
    const auto level = [](double v) { return static_cast<std::int16_t>(90 + std::lround(v * 150)); };
    return Colour{level(r), level(g), level(b)};
}

}  // namespace

SDL_Surface* Region_view_create(const Picture_check& check)
{
    auto squares = check.squares;
    for (std::size_t k = 0; k < squares.size(); ++k)
        if (check.regions.of[k] >= 0)
            squares[k].c = Region_tint(check.regions.of[k]);
    SDL_Surface* view = Picture_view_create(squarecount, squares, colourcount, check.colours);
    if (!view)
        return nullptr;
    for (const Region& r : check.regions.regions) {
        if (r.size > tiny_region)
            continue;
        const Square& s = squares[static_cast<std::size_t>(r.i * squarecount + r.j)];
        const auto cx = static_cast<Sint16>(s.x + squaresize / 2);
        const auto cy = static_cast<Sint16>(s.y + squaresize / 2);
        for (Sint16 radius = 13; radius <= 15; ++radius)
            circleRGBA(view, cx, cy, radius, 255, 0, 0, 255);
        circleRGBA(view, cx, cy, 16, 255, 255, 255, 255);
    }
    return view;
}
