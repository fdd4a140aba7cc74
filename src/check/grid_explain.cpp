// What the reader did with each character of the grid: lines that reach
// the board's edges or run past them, characters answered with "WHAT?",
// lines drawn lower than they stand, what is never read; then the board's
// regions and those too small to hit.
#include <algorithm>
#include "check/analysis.h"
#include "language/language.h"
#include "language/text_fill.h"

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
                    Text_fill(Text_plural("from line {line} on, every line is drawn {count} row lower than it stands "
                                          "(this line is row {row})",
                                          "from line {line} on, every line is drawn {count} rows lower than it "
                                          "stands (this line is row {row})",
                                          static_cast<unsigned long>(moved < 0 ? -moved : moved)),
                              {{"line", std::to_string(line)},
                               {"count", std::to_string(moved)},
                               {"row", std::to_string(s.j)}}));
            offset = moved;
        }
        line_start = s.effect == Grid_effect::line_end;
        switch (s.effect) {
        case Grid_effect::outline:
        case Grid_effect::blank:
            if (s.i == last_square && line != edge_line) {
                Say(a, pos, Severity::warning,
                    _("the 39th square of this line falls on the board's right edge, which is always outline "
                      "(a row has 38 squares)"));
                edge_line = line;
            }
            if (s.j == last_square && line != bottom_line) {
                Say(a, pos, Severity::warning,
                    _("this line falls on row 39, the board's bottom edge, which is always outline: "
                      "its squares are not shown (a picture has 38 rows)"));
                bottom_line = line;
            }
            break;
        case Grid_effect::what:
            // TRANSLATORS: "WHAT?" is what the painter prints, in every language: keep it as it is.
            Say(a, pos, Severity::warning,
                Text_fill(s.c == 'X' ? _("{character} (only a lower-case 'x' draws outline) is not part of a picture: "
                                         "the program answers it with \"WHAT?\" and it takes no square")
                                     : _("{character} is not part of a picture: the program answers it with "
                                         "\"WHAT?\" and it takes no square"),
                          {{"character", Character_name(s.c)}}));
            break;
        case Grid_effect::edge_end:
            Say(a, pos, Severity::warning,
                Text_fill(_("this line goes on past the board's right edge: the {character} here is taken as the "
                            "end of row {row}, and the rest of the line ({rest}) becomes row {next}"),
                          {{"character", Character_name(s.c)},
                           {"row", std::to_string(s.j)},
                           {"rest", Quote(Rest_of_line(a, pos + 1))},
                           {"next", std::to_string(s.j + 1)}}));
            break;
        case Grid_effect::past_last:
            if (Nonblank_text(a.text.substr(static_cast<std::size_t>(pos)))) {
                // A final line end starts no line of its own.
                const int last_line = Line_of(a, Last_line_end_of(a));
                const char* const sentence =
                    last_line > line ? _("the board has no row left (row 39 is its bottom edge): from here on the "
                                         "file is never read (lines {line} to {last} are ignored)")
                    : last_line == line ? _("the board has no row left (row 39 is its bottom edge): from here on "
                                            "the file is never read (line {line} is ignored)")
                                        : _("the board has no row left (row 39 is its bottom edge): from here on "
                                            "the file is never read");
                Say(a, pos, Severity::warning,
                    Text_fill(sentence, {{"line", std::to_string(line)}, {"last", std::to_string(last_line)}}));
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
                Text_fill(Text_plural("a region of {count} square at column {column}, row {row}: hard to hit with a "
                                      "click",
                                      "a region of {count} squares at column {column}, row {row}: hard to hit with "
                                      "a click",
                                      static_cast<unsigned long>(r.size)),
                          {{"count", std::to_string(r.size)},
                           {"column", std::to_string(r.i)},
                           {"row", std::to_string(r.j)}}));
}

