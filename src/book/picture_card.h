// What the book shows for one picture: its thumbnail and title, or, for a
// file the painter cannot use, the painter's own message in its place.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>
#include <SDL.h>
#include "board/colour.h"
#include "board/geometry.h"
#include "board/square.h"
#include "book/picture_list.h"

struct Surface_free {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface_owned = std::unique_ptr<SDL_Surface, Surface_free>;

struct Picture_card {
    std::string title;      // the picture's title line, else its name; as drawable text
    Surface_owned thumbnail;// nullptr when the file cannot be used (or memory ran out)
    std::string message;    // the painter's one-line message when it cannot, without line end
    bool warned = false;    // tintora-check would warn about it
    int parts = 0;          // its regions, as the checker counts them; 0 when it cannot be used
    bool add = false;       // the "New picture" card, which starts the picture maker
    bool kept = false;      // shown as it was left: a colouring is kept for it
};

// The title a picture's card shows: the line after the palette with blanks
// trimmed, else the picture's name; every character SDL_gfx's font cannot
// draw (anything but printable ASCII; one per UTF-8 sequence) becomes '?'.
std::string Picture_title(const std::string& separator, const std::string& name);

// Reads the picture once as the painter would, through the checker, from its
// folder (the working directory is set there while reading and put back
// after): its title, parts and mark come from that one reading, and its
// thumbnail is what was read, drawn with the painter's own drawing code.
// When a colouring made on this very picture is kept in `colouring_path`,
// the thumbnail shows the picture as it was left and the card is marked.
Picture_card Picture_card_make(const Picture_entry& entry, const std::string& colouring_path = "");
// The picture as it would open in the painter (its kept colouring laid
// over it), the board alone without the toolbar strip, as a new 800 x 800
// 32-bit surface; nullptr, with `why`, when the picture cannot be used.
// `for_print` draws it for paper instead: outlines black, squares not
// coloured white (Print_square_colour).
SDL_Surface* Picture_board_view(const Picture_entry& entry, const std::string& colouring_path, std::string& why,
                                bool for_print = false);

// The picture as it would open in the painter, as plain records: the
// board and palette read by the painter's own reader, its kept colouring
// laid over it, and its title line as read.
struct Picture_board {
    std::vector<Square> squares;             // squarecount * squarecount, column by column
    std::array<Colour, colourcount> colours{};
    Colour mousecolour{};
    std::string separator;                   // the title line, as read
    std::string kept_why;                    // why a kept colouring was left off; "" when laid over or none
};
// False, with `why`, when the picture cannot be used.
bool Picture_board_read(const Picture_entry& entry, const std::string& colouring_path, Picture_board& board,
                        std::string& why);

// The card that comes first: an empty board titled "New picture".
Picture_card Picture_card_new();
