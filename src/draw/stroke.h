// A stroke: what one press, drag and release of a button does to the board.
// The pointer reports positions far apart when it moves fast, so each new
// position is joined to the last by a straight run of squares (Bresenham's
// line), and an outline drawn in one stroke has no gaps the fill could leak
// through. With Shift held the stroke is one straight line from where it
// began; in mirror mode every square also changes at its mirror image about
// the board's vertical middle. Plain logic, no window.
#pragma once
#include <vector>
#include "draw/drawing.h"

struct Square_place {
    int i, j;
    bool operator==(const Square_place&) const = default;
};

// The squares of the straight line from (i0, j0) to (i1, j1), both ends
// included, each touching the one before by an edge or a corner.
std::vector<Square_place> Line_squares(Square_place from, Square_place to);
// The board square under window pixel (x, y), the nearest one when the
// pointer has left the board (a drag may go past its edge).
Square_place Board_square_at(int x, int y);
// The square's mirror image about the board's vertical middle.
Square_place Square_mirror(Square_place at);

struct Stroke {
    Colour c;               // what the stroke gives each square it passes
    bool mirror = false;
    Square_place start{};
    Square_place last{};
    Edit edit;              // everything changed so far
};

// Starts a stroke at `at`; returns the squares it changed.
std::vector<Square_place> Stroke_begin(Stroke& stroke, Drawing& drawing, Square_place at, Colour c, bool mirror);
// Takes the stroke on to `at`: joined to the last position, or, when
// `straight`, the stroke so far is taken back and becomes one line from its
// start. Returns every square whose colour may have changed.
std::vector<Square_place> Stroke_move(Stroke& stroke, Drawing& drawing, Square_place at, bool straight);
