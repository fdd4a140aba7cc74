// What the maker's window shows, drawn with the painter's own code for the
// toolbar and the board, so that a picture looks here as it will in the
// painter; and, over it, the maker's own things: the mirror line, the
// region tints, the colour chooser and the box that asks or tells.
#pragma once
#include <string>
#include <vector>
#include <SDL.h>
#include "draw/colour_chooser.h"
#include "draw/drawing.h"
#include "draw/stroke.h"
#include "draw/trace_image.h"

// The mirror's axis is drawn on the grid line between columns 19 and 20.
constexpr int mirror_line_x = squarecount / 2 * squaresize;

struct Draw_look {
    bool mirror = false;    // the mirror line shows
    bool regions = false;   // every region in its own tint, as tintora-check --regions shows it
    SDL_Surface* trace = nullptr;   // a drawing shown faintly in the uncoloured squares (Trace_view_create)
};

// The faint view of a drawing to trace, as large as the board; nullptr when
// out of memory. Free it with SDL_FreeSurface.
SDL_Surface* Trace_view_create(const Trace_image& image);

// Draws the whole window (toolbar with the first colour chosen, as the
// painter starts, then the board) and flips.
void Drawing_show(SDL_Surface* screen, const Drawing& drawing, Draw_look look);
// Draws only the squares in `changed` and updates only them on the screen;
// with the region tints on, a change can join or split regions anywhere,
// so the whole board is drawn again.
void Drawing_show_changed(SDL_Surface* screen, const Drawing& drawing, Draw_look look,
                          const std::vector<Square_place>& changed);
// The toolbar alone, drawn and updated.
void Toolbar_show(SDL_Surface* screen, const Drawing& drawing);
// A box over the bottom of the window holding `text` (wrapped to fit; '\n'
// starts a line), drawn over what is there, and flipped.
void Box_show(SDL_Surface* screen, const std::string& text);
// The chooser over the board, with `problem` (if any) under the bars; flipped.
void Chooser_show(SDL_Surface* screen, const Chooser& chooser, const std::string& problem);
