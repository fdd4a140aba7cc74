// The book's cards in the browser: the desktop book's own card making
// (the picture read once by the checker with the painter's reader, the
// painter's first view reduced by Thumbnail_reduce) for the book page,
// which writes a picture file into /pictures (and its kept colouring, when
// there is one, where it says), calls Card_read with its name and takes
// back the title, the thumbnail and the painter's message. The same for a
// picture's board as coloured, to save or to print (Card_board).
#include <emscripten.h>
#include <cstdint>
#include <vector>
#include "book/picture_card.h"
#include "book/thumbnail.h"
#include "board/geometry.h"

namespace {

// The last card read, until the next: the page copies what it needs at once.
Picture_card card;
std::vector<std::uint8_t> card_pixels;
// The last board drawn by Card_board, likewise.
std::vector<std::uint8_t> board_pixels;

// Emscripten's SDL keeps a canvas behind each surface: a lock copies the
// canvas over the surface's memory and the last unlock copies the memory
// back, both whole, and SDL_gfx locks for every box it draws (1,600 of
// them for a view). Nothing here is shown, so every surface made from now
// on starts locked and stays so, as the painter's screen does
// (screen_web.cpp): the drawing stays in memory, where it is read. That
// memory starts cleared, as SDL's own surfaces do on the desktop: the view's
// grid lines are what is left between the squares, which would otherwise
// show whatever an earlier card left there.
EM_JS(void, Surfaces_keep_memory, (), {
    if (SDL.makeSurfaceLocked)
        return;
    const make = SDL.makeSurface;
    SDL.makeSurface = function(width, height, flags, usePageCanvas) {
        const surface = make.apply(this, arguments);
        const made = SDL.surfaces[surface];
        if (!usePageCanvas) {
            made.locked = 1;
            if (made.buffer)
                HEAPU8.fill(0, made.buffer, made.buffer + width * height * 4);
        }
        return surface;
    };
    SDL.makeSurfaceLocked = true;
});

// As the page's canvases take them: red, green, blue, opacity, row by row.
void Pixels_take(SDL_Surface* surface, std::vector<std::uint8_t>& pixels)
{
    pixels.clear();
    pixels.reserve(static_cast<std::size_t>(surface->w) * surface->h * 4);
    for (int y = 0; y < surface->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(surface->pixels) +
                                                                 static_cast<std::size_t>(y) * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            Uint8 r = 0;
            Uint8 g = 0;
            Uint8 b = 0;
            SDL_GetRGB(row[x], surface->format, &r, &g, &b);
            pixels.insert(pixels.end(), {r, g, b, 255});
        }
    }
}

}  // namespace

extern "C" {

// Reads /pictures/NAME.txt as the desktop book does, with the colouring
// kept in `colouring_path` laid over it ("" for none); 1 when it has a
// thumbnail, 0 when the painter would refuse it (Card_message says why).
EMSCRIPTEN_KEEPALIVE int Card_read(const char* name, const char* colouring_path)
{
    Surfaces_keep_memory();
    card = Picture_card_make(Picture_entry{name, "/pictures", true}, colouring_path);
    card_pixels.clear();
    SDL_Surface* thumbnail = card.thumbnail.get();
    if (!thumbnail)
        return 0;
    Pixels_take(thumbnail, card_pixels);
    return 1;
}

// Whether the last card read shows a kept colouring.
EMSCRIPTEN_KEEPALIVE int Card_kept()
{
    return card.kept ? 1 : 0;
}

// Draws the board of /pictures/NAME.txt as the desktop book saves it (its
// colouring kept in `colouring_path` laid over it), or for paper when
// `for_print`; 1 when drawn (Card_board_pixels), 0 when the picture cannot
// be used (Card_message says why).
EMSCRIPTEN_KEEPALIVE int Card_board(const char* name, const char* colouring_path, int for_print)
{
    Surfaces_keep_memory();
    board_pixels.clear();
    std::string why;
    SDL_Surface* board =
        Picture_board_view(Picture_entry{name, "/pictures", true}, colouring_path, why, for_print != 0);
    if (!board) {
        card.message = why;
        return 0;
    }
    Pixels_take(board, board_pixels);
    SDL_FreeSurface(board);
    return 1;
}

// WIDTH x (HEIGHT - menustrip) pixels, four bytes each, row by row.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* Card_board_pixels()
{
    return board_pixels.data();
}

EMSCRIPTEN_KEEPALIVE int Card_board_width()
{
    return WIDTH;
}

EMSCRIPTEN_KEEPALIVE int Card_board_height()
{
    return HEIGHT - menustrip;
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
