// The book's cards in the browser: the desktop book's own card making
// (the picture read once by the checker with the painter's reader, the
// painter's first view reduced by Thumbnail_reduce) for the book page,
// which writes a picture file into /pictures, calls Card_read with its
// name and takes back the title, the thumbnail and the painter's message.
#include <emscripten.h>
#include <cstdint>
#include <vector>
#include "book/picture_card.h"
#include "book/thumbnail.h"

namespace {

// The last card read, until the next: the page copies what it needs at once.
Picture_card card;
std::vector<std::uint8_t> card_pixels;

// Emscripten's SDL keeps a canvas behind each surface: a lock copies the
// canvas over the surface's memory and the last unlock copies the memory
// back, both whole, and SDL_gfx locks for every box it draws (1,600 of
// them for a view). Nothing here is shown, so every surface made from now
// on starts locked and stays so, as the painter's screen does
// (screen_web.cpp): the drawing stays in memory, where it is read.
EM_JS(void, Surfaces_keep_memory, (), {
    if (SDL.makeSurfaceLocked)
        return;
    const make = SDL.makeSurface;
    SDL.makeSurface = function(width, height, flags, usePageCanvas) {
        const surface = make.apply(this, arguments);
        if (!usePageCanvas)
            SDL.surfaces[surface].locked = 1;
        return surface;
    };
    SDL.makeSurfaceLocked = true;
});

}  // namespace

extern "C" {

// Reads /pictures/NAME.txt as the desktop book does; 1 when it has a
// thumbnail, 0 when the painter would refuse it (Card_message says why).
EMSCRIPTEN_KEEPALIVE int Card_read(const char* name)
{
    Surfaces_keep_memory();
    card = Picture_card_make(Picture_entry{name, "/pictures", true});
    card_pixels.clear();
    SDL_Surface* thumbnail = card.thumbnail.get();
    if (!thumbnail)
        return 0;
    // As the page's canvases take them: red, green, blue, opacity.
    card_pixels.reserve(static_cast<std::size_t>(thumbnail_width) * thumbnail_height * 4);
    for (int y = 0; y < thumbnail_height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(thumbnail->pixels) +
                                                                 static_cast<std::size_t>(y) * thumbnail->pitch);
        for (int x = 0; x < thumbnail_width; ++x) {
            Uint8 r = 0;
            Uint8 g = 0;
            Uint8 b = 0;
            SDL_GetRGB(row[x], thumbnail->format, &r, &g, &b);
            card_pixels.insert(card_pixels.end(), {r, g, b, 255});
        }
    }
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* Card_title()
{
    return card.title.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* Card_message()
{
    return card.message.c_str();
}

// thumbnail_width x thumbnail_height pixels, four bytes each, row by row.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* Card_pixels()
{
    return card_pixels.data();
}

EMSCRIPTEN_KEEPALIVE int Card_width()
{
    return thumbnail_width;
}

EMSCRIPTEN_KEEPALIVE int Card_height()
{
    return thumbnail_height;
}

}  // extern "C"
