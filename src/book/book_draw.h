// Drawing the book with SDL_gfx: the cells, the selection, the warning mark,
// and a message over the bottom of the window.
#pragma once
#include <string>
#include <vector>
#include <SDL.h>
#include "book/picture_card.h"

struct Book_rgb {
    Uint8 r, g, b;
};
constexpr Book_rgb book_selection{255, 200, 0};
constexpr Book_rgb book_mark{220, 30, 30};
constexpr Book_rgb book_title_colour{240, 240, 240};
constexpr Book_rgb book_parts_colour{150, 200, 255};
constexpr Book_rgb book_kept_mark{40, 160, 70};
constexpr Book_rgb book_button_face{250, 240, 200};
constexpr Book_rgb book_button_ink{20, 20, 20};

// One cell with its top left corner at (x, y): the thumbnail (or the
// painter's message in a grey box in its place), the warning mark at the
// thumbnail's top right corner when the card is warned, the kept mark (a
// green dot) at its bottom right corner when a colouring is kept for it, a
// frame around the thumbnail when selected, the title centred under it, and
// over the thumbnail the card's buttons with these labels (none: empty).
void Book_cell_draw(SDL_Surface* screen, int x, int y, const Picture_card& card, bool selected,
                    const std::vector<std::string>& buttons = {});
// Clears the window to the background.
void Book_clear(SDL_Surface* screen);
// A message in a box across the bottom of the window, broken into lines that
// fit, with a line saying how to go on.
void Book_message_draw(SDL_Surface* screen, const std::string& message);
// A question in a box across the bottom of the window, with the keys that
// answer it and the Yes and No buttons.
void Book_question_draw(SDL_Surface* screen, const std::string& question);
// Breaks text into lines of at most `width` characters, at blanks where it can.
std::string Text_wrap(const std::string& text, int width);
