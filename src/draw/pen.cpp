// Strokes from the buttons. A stroke changes the drawing as it goes, so
// whatever ends it must hand its edit to the history: otherwise the
// squares stay changed and no undo can reach them.
#include "draw/pen.h"
#include <utility>

void Pen_end(Pen& pen, History& history)
{
    if (pen.button == 0)
        return;
    History_add(history, std::exchange(pen.stroke.edit, Edit{}));
    pen.button = 0;
}

std::vector<Square_place> Pen_press(Pen& pen, Drawing& drawing, History& history, int button, Colour c,
                                    Square_place at, bool mirror)
{
    if (pen.button != 0 && pen.button != button)
        return {};
    Pen_end(pen, history);
    pen.button = button;
    return Stroke_begin(pen.stroke, drawing, at, c, mirror);
}

std::vector<Square_place> Pen_move(Pen& pen, Drawing& drawing, Square_place at, bool straight)
{
    if (pen.button == 0)
        return {};
    return Stroke_move(pen.stroke, drawing, at, straight);
}

std::vector<Square_place> Pen_release(Pen& pen, Drawing& drawing, History& history, int button, Square_place at,
                                      bool straight)
{
    if (pen.button == 0 || button != pen.button)
        return {};
    const auto changed = Stroke_move(pen.stroke, drawing, at, straight);
    Pen_end(pen, history);
    return changed;
}
