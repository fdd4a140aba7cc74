// A printed page of a picture, as plain logic a test runs without a window
// or a PDF: where the title and each square of the board go on a page of a
// given size (in points, from the page's top left), the colour each square
// prints in, and the title's text.
#pragma once
#include <string>
#include "board/colour.h"

// A rectangle on the page, in points; y grows downwards.
struct Print_box {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct Print_layout {
    double page_width = 0;
    double page_height = 0;
    Print_box title;         // the band the title is centred in, above the board
    double title_size = 0;   // the title's font size in points, before it is fitted to the band's width
    Print_box board;         // the whole board, ring included: squarecount squares along each side
    double cell = 0;         // the side of one square
};

// Paper sizes by name, in points.
struct Paper {
    double width = 0;
    double height = 0;
};
constexpr Paper paper_a4{595.276, 841.890};
constexpr Paper paper_letter{612, 792};

// A margin no printer's unprintable edge reaches (a quarter inch is the
// most most printers leave), a title band over the board, and the board as
// large as what is left allows, square, centred across the page.
Print_layout Print_layout_make(double page_width, double page_height);

// Square (i, j) of the board, i counting columns from the left and j rows
// from the top, as the board's squares are numbered.
Print_box Print_square_box(const Print_layout& layout, int i, int j);

// What a square prints in: outlines black, squares never coloured white
// (they show the board's grey on screen, which a crayon would not cover),
// any other square in its colour.
Colour Print_square_colour(Colour c);

// The title printed above the picture: its title line with blanks trimmed,
// else its name; bytes that are not well-formed UTF-8, and control
// characters, become '?', so any title can be given to the PDF as text.
std::string Print_title_text(const std::string& separator, const std::string& name);
