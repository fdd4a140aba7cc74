// What the reader did with each character of the grid: lines that reach
// the board's edges or run past them, characters answered with "WHAT?",
// lines drawn lower than they stand, what is never read; then the board's
// regions and those too small to hit.
#include <algorithm>
#include "check/analysis.h"

namespace {

constexpr int last_square = squarecount - 1;   // the column and the row of the ring's far side

}  // namespace

void Grid_explain(Analysis& a)
{
    const Picture_trace& t = a.trace;
    if (t.grid_start < 0)
        return;
    const int first_line = Line_of(a, t.grid_start);
    int offset = 0;             // rows lower than the lines stand in the file
    int edge_line = 0;          // the last line told it reaches the right edge
    int bottom_line = 0;        // the last line told it lies on the bottom edge
    bool line_start = true;
    for (std::size_t k = 0; k < t.grid.size(); ++k) {
        const Grid_step& s = t.grid[k];
        const long pos = t.grid_start + static_cast<long>(k);
        const int line = Line_of(a, pos);
        if (line_start && s.effect != Grid_effect::past_last) {
            const int moved = s.j - (line - first_line + 1);
            if (moved != offset)
                Say(a, pos, Severity::note,
                    "from line " + std::to_string(line) + " on, every line is drawn " + std::to_string(moved) +
                        (moved == 1 ? " row" : " rows") + " lower than it stands (this line is row " +
                        std::to_string(s.j) + ")");
            offset = moved;
        }
        line_start = s.effect == Grid_effect::line_end;
        switch (s.effect) {
        case Grid_effect::outline:
        case Grid_effect::blank:
            if (s.i == last_square && line != edge_line) {
                Say(a, pos, Severity::warning,
                    "the 39th square of this line falls on the board's right edge, which is always outline "
                    "(a row has 38 squares)");
                edge_line = line;
            }
            if (s.j == last_square && line != bottom_line) {
                Say(a, pos, Severity::warning,
                    "this line falls on row 39, the board's bottom edge, which is always outline: "
                    "its squares are not shown (a picture has 38 rows)");
                bottom_line = line;
            }
            break;
        case Grid_effect::what:
            Say(a, pos, Severity::warning,
                Character_name(s.c) + (s.c == 'X' ? " (only a lower-case 'x' draws outline)" : "") +
                    " is not part of a picture: the program answers it with \"WHAT?\" and it takes no square");
            break;
        case Grid_effect::edge_end:
            Say(a, pos, Severity::warning,
                "this line goes on past the board's right edge: the " + Character_name(s.c) +
                    " here is taken as the end of row " + std::to_string(s.j) + ", and the rest of the line (" +
                    Quote(Rest_of_line(a, pos + 1)) + ") becomes row " + std::to_string(s.j + 1));
            break;
        case Grid_effect::past_last:
            if (Nonblank_text(a.text.substr(static_cast<std::size_t>(pos)))) {
                // A final line end starts no line of its own.
                const int last_line = Line_of(a, Last_line_end_of(a));
                Say(a, pos, Severity::warning,
                    "the board has no row left (row 39 is its bottom edge): from here on the file is never read" +
                        (last_line > line   ? " (lines " + std::to_string(line) + " to " +
                                                  std::to_string(last_line) + " are ignored)"
                         : last_line == line ? " (line " + std::to_string(line) + " is ignored)"
                                             : std::string()));
            }
            break;
        case Grid_effect::digit:
        case Grid_effect::line_end:
            break;
        }
    }
}

namespace {

// Where to point at square (i, j): the character that described it, else
// the end of the line that made its row, else the end of the file.
long Square_place(const Analysis& a, int i, int j)
{
    long row_end = -1;
    for (std::size_t k = 0; k < a.trace.grid.size(); ++k) {
        const Grid_step& s = a.trace.grid[k];
        if (s.j != j)
            continue;
        const long pos = a.trace.grid_start + static_cast<long>(k);
        if (s.i == i && (s.effect == Grid_effect::outline || s.effect == Grid_effect::blank))
            return pos;
        if (s.effect == Grid_effect::line_end || s.effect == Grid_effect::edge_end)
            row_end = pos;
    }
    return row_end >= 0 ? row_end : Last_line_end_of(a);
}

}  // namespace

void Regions_explain(Analysis& a)
{
    Picture_check& check = a.check;
    check.regions = Regions_find(squarecount, check.squares, bordercolour);
    check.outline_squares = 0;
    for (int i = 1; i < last_square; ++i)
        for (int j = 1; j < last_square; ++j)
            check.outline_squares += check.regions.of[static_cast<std::size_t>(i * squarecount + j)] < 0;
    check.rows_used = 0;
    for (const Grid_step& s : a.trace.grid)
        if (s.effect == Grid_effect::outline || s.effect == Grid_effect::blank)
            check.rows_used = std::max(check.rows_used, s.j);
    for (const Region& r : check.regions.regions)
        if (r.size <= tiny_region)
            Say(a, Square_place(a, r.i, r.j), Severity::note,
                "a region of " + std::to_string(r.size) + (r.size == 1 ? " square" : " squares") + " at column " +
                    std::to_string(r.i) + ", row " + std::to_string(r.j) + ": hard to hit with a click");
}

