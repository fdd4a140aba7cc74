// The checker's analysis: what the reader did with each palette entry, the
// line after the palette and each grid character, told as diagnostics at
// the place in the file an editor shows; then the regions of the board.
#include "check/picture_check.h"
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include "check/text_position.h"
#include "check/text_source.h"
#include "picture_file/file_open.h"
#include "picture_file/text_stream.h"

namespace {

constexpr int last_square = squarecount - 1;   // the column and the row of the ring's far side
const char* const component_names[] = {"red", "green", "blue"};
const char* const ordinals[] = {"first", "second", "third"};

bool Blank_is(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string Colour_text(Colour c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// A character named so a person can find it: "tab", "'X'", "byte 0x00".
std::string Character_name(int c)
{
    if (c == '\t')
        return "tab";
    if (c == '\r')
        return "carriage return (a CR without LF is no line end)";
    if (c == '\n')
        return "line end";
    if (c == ' ')
        return "blank";
    if (c > ' ' && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    char hex[16];
    std::snprintf(hex, sizeof hex, "byte 0x%02X", static_cast<unsigned>(c & 0xFF));
    return hex;
}

// A piece of the file quoted in a message: at most `limit` characters,
// non-printing ones as '?'.
std::string Quote(std::string_view text, std::size_t limit = 40)
{
    std::string out;
    for (const char ch : text.substr(0, limit))
        out.push_back(ch >= ' ' && ch < 0x7F ? ch : '?');
    if (text.size() > limit)
        out += "...";
    return "\"" + out + "\"";
}

struct Analysis {
    const Picture_trace& trace;
    std::string_view text;
    Text_lines lines;
    Picture_check& check;
};

void Say(Analysis& a, long offset, Severity severity, std::string message)
{
    const Text_place place = Text_place_of(a.lines, offset);
    a.check.diagnostics.push_back(Diagnostic{place.line, place.column, severity, std::move(message)});
}

int Line_of(const Analysis& a, long offset)
{
    return Text_place_of(a.lines, offset).line;
}

long End_of(const Analysis& a)
{
    return static_cast<long>(a.text.size());
}

// The first character at or after `offset` that is not blank, as fscanf's
// number conversion skips to it.
long Nonblank_from(const Analysis& a, long offset)
{
    while (offset < End_of(a) && Blank_is(static_cast<unsigned char>(a.text[static_cast<std::size_t>(offset)])))
        ++offset;
    return offset;
}

// The rest of the line from `offset`, without its line end; at most
// `limit` characters of it, so that quoting from a very long line stays cheap.
std::string_view Rest_of_line(const Analysis& a, long offset, std::size_t limit = 64)
{
    const std::string_view rest =
        a.text.substr(static_cast<std::size_t>(std::min(offset, End_of(a)))).substr(0, limit);
    return rest.substr(0, rest.find('\n'));
}

std::string_view Line_text(const Analysis& a, int line)
{
    if (line < 1 || line > static_cast<int>(a.lines.starts.size()))
        return {};
    return Rest_of_line(a, a.lines.starts[static_cast<std::size_t>(line - 1)], std::string_view::npos);
}

bool Nonblank_text(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char ch) { return !Blank_is(static_cast<unsigned char>(ch)); });
}

// Where each palette entry seems to be to a person: the k-th line with
// anything on it.
std::vector<int> Palette_lines_seen(const Analysis& a)
{
    std::vector<int> seen;
    for (int line = 1; line <= static_cast<int>(a.lines.starts.size()) && seen.size() < colourcount; ++line)
        if (Nonblank_text(Line_text(a, line)))
            seen.push_back(line);
    return seen;
}

// Why an entry stopped before its third number, and what happens next.
void Palette_entry_short(Analysis& a, int k, const Palette_trace& p, Severity severity)
{
    const std::string entry = "palette entry " + std::to_string(k + 1);
    const Colour c = a.check.colours[static_cast<std::size_t>(k)];
    std::string why;
    if (p.dropped == EOF) {
        why = "the file ends inside " + entry + " after " + std::to_string(p.fields) + " of its 3 numbers";
    } else if (p.dropped == '\n') {
        why = entry + " has " + std::to_string(p.fields) + " of its 3 numbers on its line";
    } else if ((p.dropped == ' ' || p.dropped == '\t') && p.fields > 0) {
        const std::string_view rest = Rest_of_line(a, p.stop);
        const auto next = rest.find_first_not_of(" \t");
        if (next != std::string_view::npos && rest[next] == ',')
            why = "a blank before a comma ends " + entry + " after its " + ordinals[p.fields - 1] + " number";
        else
            why = "a blank ends " + entry + " after its " + ordinals[p.fields - 1] + " number";
    } else if (p.fields == 0) {
        why = entry + " starts with " + Character_name(p.dropped) + ", not a number";
    } else {
        why = Character_name(p.dropped) + " ends " + entry + " after its " + ordinals[p.fields - 1] + " number";
    }
    std::string what = why + ": it holds " + Colour_text(c);
    if (p.fields < 3 && p.fields >= 0) {
        std::string missing;
        for (int f = std::max(p.fields, 0); f < 3; ++f)
            missing += std::string(missing.empty() ? "" : f == 2 ? " and " : ", ") + component_names[f];
        what += " (" + missing + (3 - p.fields == 1 ? " is" : " are") + " 0)";
    }
    if (p.dropped != '\n' && p.dropped != EOF) {
        what += "; the " + Character_name(p.dropped) + " is dropped";
        if (k + 1 < colourcount)
            what += " and entry " + std::to_string(k + 2) + " is read on from just after it";
    }
    Say(a, p.stop, severity, what);
}

void Palette_explain(Analysis& a)
{
    const std::vector<int> seen = Palette_lines_seen(a);
    bool explained = false;   // a warning so far tells why the entries that follow move
    for (int k = 0; k < static_cast<int>(a.trace.palette.size()); ++k) {
        const Palette_trace& p = a.trace.palette[static_cast<std::size_t>(k)];
        const Colour c = a.check.colours[static_cast<std::size_t>(k)];
        if (p.fields == EOF) {
            Say(a, End_of(a), Severity::warning,
                "the file ends before palette entry " + std::to_string(k + 1) +
                    (k + 1 < colourcount ? ": entries " + std::to_string(k + 1) + " to 8 are 0,0,0 (black)"
                                         : ": it is 0,0,0 (black)"));
            return;
        }
        const long from = Nonblank_from(a, p.start);
        const Text_place at = Text_place_of(a.lines, from);
        const bool in_place = k < static_cast<int>(seen.size()) && at.line == seen[static_cast<std::size_t>(k)] &&
                              a.lines.starts[static_cast<std::size_t>(at.line - 1)] +
                                      static_cast<long>(Line_text(a, at.line).find_first_not_of(" \t\v\f\r")) ==
                                  from;
        const bool was_explained = explained;
        if (!in_place) {
            // The entry's text as read, with the character dropped after it.
            const long end = p.dropped == '\n' || p.dropped == EOF ? p.stop : p.stop + 1;
            std::string message = "palette entry " + std::to_string(k + 1) + " is read from here (" +
                                  Quote(a.text.substr(static_cast<std::size_t>(from),
                                                      static_cast<std::size_t>(std::max(end - from, 0L)))) + ")";
            if (k < static_cast<int>(seen.size()))
                message += ", not from line " + std::to_string(seen[static_cast<std::size_t>(k)]);
            message += ": it holds " + Colour_text(c);
            Say(a, from, explained ? Severity::note : Severity::warning, message);
            explained = true;
        }
        if (p.fields < 3) {
            Palette_entry_short(a, k, p, was_explained ? Severity::note : Severity::warning);
            explained = explained || p.dropped != '\n';
        } else if (Line_of(a, from) != Line_of(a, p.stop)) {
            Say(a, from, Severity::warning,
                "palette entry " + std::to_string(k + 1) + " runs on from line " + std::to_string(Line_of(a, from)) +
                    " to line " + std::to_string(Line_of(a, p.stop)) + ": it holds " + Colour_text(c));
            explained = true;
        }
        const std::int16_t parts[] = {c.r, c.g, c.b};
        for (int f = 0; f < 3; ++f)
            if (parts[f] < 0 || parts[f] > 255)
                Say(a, from, Severity::warning,
                    "palette entry " + std::to_string(k + 1) + ": " + component_names[f] + " reads as " +
                        std::to_string(parts[f]) + ", outside 0 to 255; it shows as " +
                        std::to_string(static_cast<std::uint8_t>(parts[f])) + " (the swatch shows " +
                        std::to_string(static_cast<std::uint8_t>(c.r)) + "," +
                        std::to_string(static_cast<std::uint8_t>(c.g)) + "," +
                        std::to_string(static_cast<std::uint8_t>(c.b)) + ")");
    }
}

// Two swatches of one colour, and colours that cannot paint as they seem to.
void Swatches_explain(Analysis& a)
{
    for (int k = 0; k < static_cast<int>(a.trace.palette.size()); ++k) {
        const Palette_trace& p = a.trace.palette[static_cast<std::size_t>(k)];
        const long at = p.fields == EOF ? End_of(a) : Nonblank_from(a, p.start);
        const Colour c = a.check.colours[static_cast<std::size_t>(k)];
        const std::string entry = "palette entry " + std::to_string(k + 1) + " (" + Colour_text(c) + ")";
        for (int other = 0; other < k; ++other)
            if (Colour_cmp(c, a.check.colours[static_cast<std::size_t>(other)])) {
                Say(a, at, Severity::warning,
                    entry + " is the same colour as entry " + std::to_string(other + 1) +
                        ": their swatches are chosen together and look chosen together");
                break;
            }
        if (Colour_cmp(c, bordercolour))
            Say(a, at, Severity::warning, entry + " is the outline colour: painting with it turns a part into outline");
        else if (Colour_cmp(c, defaultcolour))
            Say(a, at, Severity::warning,
                entry + " is the colour every square starts with: painting an uncoloured part with it changes nothing");
    }
}

bool Looks_like_grid_row(std::string_view line)
{
    return line.find('x') != std::string_view::npos &&
           line.find_first_not_of(" x0123456789\r") == std::string_view::npos;
}

bool Looks_like_palette_entry(std::string_view line)
{
    return std::count(line.begin(), line.end(), ',') == 2 &&
           line.find_first_not_of(" \t,-+0123456789\r") == std::string_view::npos &&
           line.find_first_of("0123456789") != std::string_view::npos;
}

// Words: letters the grid would answer with "WHAT?" ('x' alone is outline).
bool Looks_like_title(std::string_view line)
{
    return std::count_if(line.begin(), line.end(), [](char ch) {
               return ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) && ch != 'x';
           }) >= 2;
}

void Title_explain(Analysis& a)
{
    const long start = a.trace.separator_start;
    if (start < 0 || start >= End_of(a))
        return;
    const Text_place at = Text_place_of(a.lines, start);
    const std::string next_line = std::to_string(at.line + 1);
    const std::string next_text = Quote(Line_text(a, at.line + 1));
    if (at.column != 1) {
        // Point at what follows the eighth entry: the character dropped after it, then the rest.
        const Palette_trace& last = a.trace.palette.back();
        const bool dropped = last.dropped != '\n' && last.dropped != EOF && last.stop + 1 == start;
        const long from = dropped ? last.stop : start;
        Say(a, from, Severity::warning,
            "line " + std::to_string(at.line) + " goes on after the eighth palette entry (" +
                Quote(Rest_of_line(a, from)) + "): that rest is taken as the title line, so line " + next_line +
                " (" + next_text + ") becomes the first row of the picture");
        return;
    }
    const std::string_view title = a.trace.separator;
    if (Looks_like_palette_entry(title))
        Say(a, start, Severity::warning,
            "line " + std::to_string(at.line) + " (" + Quote(title) +
                ") looks like a palette entry, but all eight have been read by then: it is taken as the title "
                "line, and line " + next_line + " (" + next_text + ") becomes the first row of the picture");
    else if (!Nonblank_text(title) && Looks_like_title(Line_text(a, at.line + 1)))
        Say(a, start, Severity::warning,
            "the line after the palette is empty, so it is taken as the title line, and line " + next_line + " (" +
                next_text + ") becomes the first row of the picture");
    else if (Looks_like_grid_row(title))
        Say(a, start, Severity::warning,
            "the title line looks like a row of the picture, but the line after the palette is never shown: "
            "put a title line before the picture");
}

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
                const int last_line = static_cast<int>(a.lines.starts.size()) - (a.text.ends_with('\n') ? 1 : 0);
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
    return row_end >= 0 ? row_end : End_of(a);
}

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

void Ctrl_z_explain(Analysis& a, const Picture_source& source)
{
    const bool reached_end = a.trace.grid.empty() || a.trace.grid.back().effect != Grid_effect::past_last;
    if (source.nonblank_after_ctrl_z > 0 && reached_end)
        Say(a, End_of(a), Severity::warning,
            "a Ctrl-Z character ends the text here, as on Windows: the " +
                std::to_string(source.nonblank_after_ctrl_z) + " non-blank bytes after it are never read");
}

}  // namespace

void Picture_analyse(const Picture_trace& trace, const Picture_source& source, Picture_check& check)
{
    Analysis a{trace, source.text, Text_lines_create(source.text), check};
    Palette_explain(a);
    Swatches_explain(a);
    Title_explain(a);
    Grid_explain(a);
    Ctrl_z_explain(a, source);
    Regions_explain(a);
}

Picture_check Picture_check_file(const std::string& path)
{
    Picture_check check;
    Squares_create(squarecount, check.squares, squaresize, menustrip, defaultcolour, bordercolour);
    Picture_trace trace;
    // The reader's "WHAT?" lines are told as diagnostics instead.
    std::FILE* whats = Check_scratch_open();
    if (!whats) {
        check.why = "no scratch file for the reader's reports";
        return check;
    }
    {
        int read_error = 0;
        std::FILE* in = Check_text_open(path, read_error, check.why);
        if (in) {
            Picture_read(in, squarecount, check.squares, colourcount, check.colours, bordercolour, whats, &trace);
            Check_text_close(in, read_error, check.why);
        }
    }
    std::fclose(whats);
    if (!check.why.empty())
        return check;
    check.separator = trace.separator;

    // The text once more through the same layer, for lines and columns.
    std::string text;
    int read_error = 0;
    std::string why;
    if (std::FILE* in = Check_text_open(path, read_error, why)) {
        for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in))
            text.push_back(static_cast<char>(c));
        Check_text_close(in, read_error, why);
    }
    // What a Ctrl-Z hides: the raw bytes after the first one. Only a regular
    // file is opened again (one put in its place since could be a pipe).
    Picture_source source{text, 0};
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        Picture_analyse(trace, source, check);
        return check;
    }
    std::ifstream raw(path, std::ios::binary);
    std::string bytes;
    bytes.resize(text_limit);
    raw.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(raw.gcount()));
    const auto ctrl_z = bytes.find('\x1A');
    if (ctrl_z != std::string::npos)
        source.nonblank_after_ctrl_z = static_cast<std::size_t>(
            std::count_if(bytes.begin() + static_cast<long>(ctrl_z) + 1, bytes.end(),
                          [](char ch) { return !Blank_is(static_cast<unsigned char>(ch)); }));
    Picture_analyse(trace, source, check);
    return check;
}

std::string Diagnostic_format(const std::string& file, const Diagnostic& d)
{
    return file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " +
           (d.severity == Severity::warning ? "warning: " : "note: ") + d.message;
}

std::string Picture_summary(const std::string& file, const Picture_check& check)
{
    const auto& regions = check.regions.regions;
    std::string line = file + ": " + std::to_string(check.rows_used) + (check.rows_used == 1 ? " row" : " rows") +
                       " used, " + std::to_string(check.outline_squares) +
                       (check.outline_squares == 1 ? " outline square, " : " outline squares, ") +
                       std::to_string(regions.size()) + (regions.size() == 1 ? " region" : " regions");
    if (!regions.empty()) {
        const Region& small = *std::min_element(regions.begin(), regions.end(),
                                                [](const Region& x, const Region& y) { return x.size < y.size; });
        line += "; the smallest has " + std::to_string(small.size) + (small.size == 1 ? " square" : " squares") +
                ", at column " + std::to_string(small.i) + ", row " + std::to_string(small.j);
    }
    return line;
}

bool Picture_warns(const Picture_check& check)
{
    return std::any_of(check.diagnostics.begin(), check.diagnostics.end(),
                       [](const Diagnostic& d) { return d.severity == Severity::warning; });
}

int Picture_status(const Picture_check& check)
{
    return !check.why.empty() ? 2 : Picture_warns(check) ? 1 : 0;
}
