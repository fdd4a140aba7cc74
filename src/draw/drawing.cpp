// The picture being made and its edits: every change is recorded with the
// colour before and after, so undo and redo are exact and touch only the
// squares, colours or title they name.
#include "draw/drawing.h"
#include <algorithm>

namespace {

// Clear colours far from the outline and the uncoloured grey, none alike,
// so that a new picture draws nothing the checker would warn about.
constexpr std::array<Colour, colourcount> new_palette{{
    {230, 40, 40},    // red
    {250, 150, 30},   // orange
    {250, 220, 40},   // yellow
    {60, 180, 70},    // green
    {60, 130, 230},   // blue
    {150, 80, 200},   // purple
    {140, 90, 50},    // brown
    {255, 255, 255},  // white
}};

}  // namespace

Drawing Drawing_new()
{
    Drawing drawing;
    Squares_create(squarecount, drawing.squares, squaresize, menustrip, defaultcolour, bordercolour);
    drawing.colours = new_palette;
    return drawing;
}

bool Square_editable(int i, int j)
{
    return i >= 1 && j >= 1 && i < squarecount - 1 && j < squarecount - 1;
}

Square& Drawing_square(Drawing& drawing, int i, int j)
{
    return drawing.squares[static_cast<std::size_t>(i * squarecount + j)];
}

bool Edit_empty(const Edit& edit)
{
    return edit.squares.empty() && edit.colours.empty() && !edit.title;
}

bool Edit_square_set(Drawing& drawing, Edit& edit, int i, int j, Colour c)
{
    if (!Square_editable(i, j))
        return false;
    Square& square = Drawing_square(drawing, i, j);
    if (Colour_cmp(square.c, c))
        return false;
    auto known = std::find_if(edit.squares.begin(), edit.squares.end(),
                              [&](const Square_change& s) { return s.i == i && s.j == j; });
    if (known == edit.squares.end())
        edit.squares.push_back({i, j, square.c, c});
    else
        known->after = c;
    square.c = c;
    return true;
}

void Edit_undo(Drawing& drawing, const Edit& edit)
{
    for (auto s = edit.squares.rbegin(); s != edit.squares.rend(); ++s)
        Drawing_square(drawing, s->i, s->j).c = s->before;
    for (auto c = edit.colours.rbegin(); c != edit.colours.rend(); ++c)
        drawing.colours[static_cast<std::size_t>(c->k)] = c->before;
    if (edit.title)
        drawing.title = edit.title->before;
}

void Edit_redo(Drawing& drawing, const Edit& edit)
{
    for (const Square_change& s : edit.squares)
        Drawing_square(drawing, s.i, s.j).c = s.after;
    for (const Colour_change& c : edit.colours)
        drawing.colours[static_cast<std::size_t>(c.k)] = c.after;
    if (edit.title)
        drawing.title = edit.title->after;
}

void History_add(History& history, Edit edit)
{
    if (Edit_empty(edit))
        return;
    history.done.push_back(std::move(edit));
    history.undone.clear();
}

namespace {

// Moves the last edit of `from` to `to`, applying it with `apply`.
const Edit* History_move(std::vector<Edit>& from, std::vector<Edit>& to, Drawing& drawing,
                         void (*apply)(Drawing&, const Edit&))
{
    if (from.empty())
        return nullptr;
    to.push_back(std::move(from.back()));
    from.pop_back();
    apply(drawing, to.back());
    return &to.back();
}

}  // namespace

const Edit* History_undo(History& history, Drawing& drawing)
{
    return History_move(history.done, history.undone, drawing, Edit_undo);
}

const Edit* History_redo(History& history, Drawing& drawing)
{
    return History_move(history.undone, history.done, drawing, Edit_redo);
}
