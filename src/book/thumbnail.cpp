// Reducing a view to a thumbnail by sampling, not averaging: every pixel of
// the thumbnail is a pixel the painter really draws, so a screenshot of the
// painter reduced by the same rule gives exactly the same thumbnail.
#include "book/thumbnail.h"
#include <cstdint>
#include <cstring>

SDL_Surface* Thumbnail_reduce(SDL_Surface* view)
{
    const SDL_PixelFormat* format = view->format;
    SDL_Surface* thumb = SDL_CreateRGBSurface(SDL_SWSURFACE, thumbnail_width, thumbnail_height, 32, format->Rmask,
                                              format->Gmask, format->Bmask, format->Amask);
    if (!thumb)
        return nullptr;
    SDL_LockSurface(view);
    SDL_LockSurface(thumb);
    for (int y = 0; y < thumbnail_height; ++y) {
        const auto* from = static_cast<const std::uint8_t*>(view->pixels) +
                           static_cast<std::size_t>(thumbnail_step * y + thumbnail_offset) * view->pitch;
        auto* to = reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(thumb->pixels) +
                                                    static_cast<std::size_t>(y) * thumb->pitch);
        for (int x = 0; x < thumbnail_width; ++x) {
            std::uint32_t pixel = 0;
            std::memcpy(&pixel, from + 4 * (thumbnail_step * x + thumbnail_offset), sizeof pixel);
            to[x] = pixel;
        }
    }
    SDL_UnlockSurface(thumb);
    SDL_UnlockSurface(view);
    return thumb;
}
