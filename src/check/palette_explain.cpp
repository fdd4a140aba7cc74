// What the reader did with the palette and the line after it: each entry
// read from where a person would not expect it, cut short, or outside 0 to
// 255; swatches alike or in the board's own colours; and a title line that
// is not what it seems.
#include <algorithm>
#include <cstdio>
#include "check/analysis.h"

namespace {

const char* const component_names[] = {"red", "green", "blue"};
const char* const ordinals[] = {"first", "second", "third"};

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

}  // namespace

void Palette_explain(Analysis& a)
{
    const std::vector<int> seen = Palette_lines_seen(a);
    bool explained = false;   // a warning so far tells why the entries that follow move
    for (int k = 0; k < static_cast<int>(a.trace.palette.size()); ++k) {
        const Palette_trace& p = a.trace.palette[static_cast<std::size_t>(k)];
        const Colour c = a.check.colours[static_cast<std::size_t>(k)];
        if (p.fields == EOF) {
            Say(a, Last_line_end_of(a), Severity::warning,
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
        const long at = p.fields == EOF ? Last_line_end_of(a) : Nonblank_from(a, p.start);
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

namespace {

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

}  // namespace

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

