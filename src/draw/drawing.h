// The picture being made: the board, the palette and the title line, as the
// picture file holds them, and the changes a person makes to it, kept as
// edits that can be undone and redone a whole stroke at a time. Plain logic,
// no window.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>
#include "board/colour.h"
#include "board/geometry.h"
#include "board/square.h"

struct Drawing {
    std::array<Square, squarecount * squarecount> squares{};
    std::array<Colour, colourcount> colours{};
    std::string title;   // the line after the palette, UTF-8
};

// A new picture: an empty board with its ring, eight clear colours, no title.
Drawing Drawing_new();
// Whether (i, j) is a square a person may change: inside the ring.
bool Square_editable(int i, int j);
Square& Drawing_square(Drawing& drawing, int i, int j);

struct Square_change {
    int i, j;
    Colour before, after;
};
struct Colour_change {
    int k;
    Colour before, after;
};
struct Title_change {
    std::string before, after;
};

// One thing undone or redone at a time: a stroke, a palette colour or the title.
struct Edit {
    std::vector<Square_change> squares;
    std::vector<Colour_change> colours;
    std::optional<Title_change> title;
};

bool Edit_empty(const Edit& edit);
// Gives square (i, j) the colour `c` unless it lies on the ring or already
// has it; records the change in `edit` (a square changed twice in one edit
// keeps its first `before`). Returns whether the square changed.
bool Edit_square_set(Drawing& drawing, Edit& edit, int i, int j, Colour c);
// Puts back what the edit changed, or makes its changes again.
void Edit_undo(Drawing& drawing, const Edit& edit);
void Edit_redo(Drawing& drawing, const Edit& edit);

// Every edit of the session, for undo (Ctrl+Z) and redo (Ctrl+Y). A new edit
// after undoing drops what could have been redone.
struct History {
    std::vector<Edit> done;
    std::vector<Edit> undone;
};
void History_add(History& history, Edit edit);
// Undoes or redoes the last edit; returns it (nullptr when there is none),
// so that the caller can redraw what it touched.
const Edit* History_undo(History& history, Drawing& drawing);
const Edit* History_redo(History& history, Drawing& drawing);
