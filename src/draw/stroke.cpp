// Strokes: joining pointer positions into runs of squares, straight lines
// and mirror images, all recorded in one edit.
#include "draw/stroke.h"
#include <algorithm>
#include <cstdlib>

std::vector<Square_place> Line_squares(Square_place from, Square_place to)
{
    std::vector<Square_place> line;
    const int di = std::abs(to.i - from.i), dj = -std::abs(to.j - from.j);
    const int si = from.i < to.i ? 1 : -1, sj = from.j < to.j ? 1 : -1;
    int error = di + dj;
    Square_place at = from;
    for (;;) {
        line.push_back(at);
        if (at == to)
            return line;
        const int twice = 2 * error;
        if (twice >= dj) {
            error += dj;
            at.i += si;
        }
        if (twice <= di) {
            error += di;
            at.j += sj;
        }
    }
}

Square_place Board_square_at(int x, int y)
{
    const int i = std::clamp(x / squaresize, 0, squarecount - 1);
    const int j = std::clamp((y - menustrip) / squaresize, 0, squarecount - 1);
    return {x < 0 ? 0 : i, y < menustrip ? 0 : j};
}

Square_place Square_mirror(Square_place at)
{
    return {squarecount - 1 - at.i, at.j};
}

namespace {

void Stroke_paint(Stroke& stroke, Drawing& drawing, const std::vector<Square_place>& squares,
                  std::vector<Square_place>& changed)
{
    for (const Square_place& at : squares) {
        if (Edit_square_set(drawing, stroke.edit, at.i, at.j, stroke.c))
            changed.push_back(at);
        if (stroke.mirror) {
            const Square_place image = Square_mirror(at);
            if (Edit_square_set(drawing, stroke.edit, image.i, image.j, stroke.c))
                changed.push_back(image);
        }
    }
}

}  // namespace

std::vector<Square_place> Stroke_begin(Stroke& stroke, Drawing& drawing, Square_place at, Colour c, bool mirror)
{
    stroke = Stroke{c, mirror, at, at, Edit{}};
    std::vector<Square_place> changed;
    Stroke_paint(stroke, drawing, {at}, changed);
    return changed;
}

std::vector<Square_place> Stroke_move(Stroke& stroke, Drawing& drawing, Square_place at, bool straight)
{
    std::vector<Square_place> changed;
    if (straight) {
        Edit_undo(drawing, stroke.edit);
        for (const Square_change& s : stroke.edit.squares)
            changed.push_back({s.i, s.j});
        stroke.edit = Edit{};
        Stroke_paint(stroke, drawing, Line_squares(stroke.start, at), changed);
    } else {
        Stroke_paint(stroke, drawing, Line_squares(stroke.last, at), changed);
    }
    stroke.last = at;
    return changed;
}
