// The pointer's buttons on the board: one button at a time draws a stroke,
// from its press to its release, and every stroke that changed squares goes
// into the history whole, so that Ctrl+Z takes it back. Plain logic, no
// window.
#pragma once
#include <vector>
#include "draw/drawing.h"
#include "draw/stroke.h"

struct Pen {
    Stroke stroke;
    int button = 0;   // the button drawing the stroke in progress; 0 when none
};

// Button `button` pressed on square `at`, to give squares the colour `c`.
// While another button draws, the press does nothing: the stroke belongs
// to the button that began it until that button is released. A second
// press of the drawing button (its release never came) ends the stroke in
// progress first. Returns the squares whose colour changed.
std::vector<Square_place> Pen_press(Pen& pen, Drawing& drawing, History& history, int button, Colour c,
                                    Square_place at, bool mirror);
// The pointer moved to `at` (see Stroke_move); nothing when no stroke is
// in progress.
std::vector<Square_place> Pen_move(Pen& pen, Drawing& drawing, Square_place at, bool straight);
// Button `button` released at `at`: the drawing button's release takes the
// stroke there and ends it; any other does nothing.
std::vector<Square_place> Pen_release(Pen& pen, Drawing& drawing, History& history, int button, Square_place at,
                                      bool straight);
// Ends the stroke in progress where it is, as when the window is closed
// while a button is still down.
void Pen_end(Pen& pen, History& history);
