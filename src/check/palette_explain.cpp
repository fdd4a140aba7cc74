// What the reader did with the palette and the line after it: each entry
// read from where a person would not expect it, cut short, or outside 0 to
// 255; swatches alike or in the board's own colours; and a title line that
// is not what it seems.
#include <algorithm>
#include <cstdio>
#include "check/analysis.h"
#include "language/language.h"
#include "language/text_fill.h"

namespace {

// TRANSLATORS: the parts of a colour, in "palette entry 3: red reads as 300".
const char* const component_names[] = {N_("red"), N_("green"), N_("blue")};

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
// Whole sentences for each case, so that each language can say it its way.
void Palette_entry_short(Analysis& a, int k, const Palette_trace& p, Severity severity)
{
    const std::string entry = std::to_string(k + 1);
    const Colour c = a.check.colours[static_cast<std::size_t>(k)];
    const bool first = p.fields == 1;
    std::string why;
    if (p.dropped == EOF) {
        why = Text_fill(Text_plural("the file ends inside palette entry {entry} after {count} of its 3 numbers",
                                    "the file ends inside palette entry {entry} after {count} of its 3 numbers",
                                    static_cast<unsigned long>(std::max(p.fields, 0))),
                        {{"entry", entry}, {"count", std::to_string(p.fields)}});
    } else if (p.dropped == '\n') {
        why = Text_fill(Text_plural("palette entry {entry} has {count} of its 3 numbers on its line",
                                    "palette entry {entry} has {count} of its 3 numbers on its line",
                                    static_cast<unsigned long>(std::max(p.fields, 0))),
                        {{"entry", entry}, {"count", std::to_string(p.fields)}});
    } else if ((p.dropped == ' ' || p.dropped == '\t') && p.fields > 0) {
        const std::string_view rest = Rest_of_line(a, p.stop);
        const auto next = rest.find_first_not_of(" \t");
        if (next != std::string_view::npos && rest[next] == ',')
            why = Text_fill(first ? _("a blank before a comma ends palette entry {entry} after its first number")
                                  : _("a blank before a comma ends palette entry {entry} after its second number"),
                            {{"entry", entry}});
        else
            why = Text_fill(first ? _("a blank ends palette entry {entry} after its first number")
                                  : _("a blank ends palette entry {entry} after its second number"),
                            {{"entry", entry}});
    } else if (p.fields == 0) {
        why = Text_fill(_("palette entry {entry} starts with {character}, not a number"),
                        {{"entry", entry}, {"character", Character_name(p.dropped)}});
    } else {
        why = Text_fill(first ? _("{character} ends palette entry {entry} after its first number")
                              : _("{character} ends palette entry {entry} after its second number"),
                        {{"entry", entry}, {"character", Character_name(p.dropped)}});
    }
    // TRANSLATORS: {why} is one of the sentences above on a palette entry cut short.
    std::string what = Text_fill(_("{why}: it holds {colour}"), {{"why", why}, {"colour", Colour_text(c)}});
    if (p.fields == 0)
        what = Text_fill(_("{what} (red, green and blue are 0)"), {{"what", what}});
    else if (p.fields == 1)
        what = Text_fill(_("{what} (green and blue are 0)"), {{"what", what}});
    else if (p.fields == 2)
        what = Text_fill(_("{what} (blue is 0)"), {{"what", what}});
    if (p.dropped != '\n' && p.dropped != EOF) {
        if (k + 1 < colourcount)
            what = Text_fill(_("{what}; the {character} is dropped and entry {next} is read on from just after it"),
                             {{"what", what},
                              {"character", Character_name(p.dropped)},
                              {"next", std::to_string(k + 2)}});
        else
            what = Text_fill(_("{what}; the {character} is dropped"),
                             {{"what", what}, {"character", Character_name(p.dropped)}});
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
                Text_fill(k + 1 < colourcount
                              ? _("the file ends before palette entry {entry}: entries {entry} to 8 are 0,0,0 (black)")
                              : _("the file ends before palette entry {entry}: it is 0,0,0 (black)"),
                          {{"entry", std::to_string(k + 1)}}));
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
            const std::string read = Quote(
                a.text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(std::max(end - from, 0L))));
            const bool seen_line = k < static_cast<int>(seen.size());
            const std::string message = Text_fill(
                seen_line ? _("palette entry {entry} is read from here ({text}), not from line {line}: it holds "
                              "{colour}")
                          : _("palette entry {entry} is read from here ({text}): it holds {colour}"),
                {{"entry", std::to_string(k + 1)},
                 {"text", read},
                 {"line", seen_line ? std::to_string(seen[static_cast<std::size_t>(k)]) : std::string()},
                 {"colour", Colour_text(c)}});
            Say(a, from, explained ? Severity::note : Severity::warning, message);
            explained = true;
        }
        if (p.fields < 3) {
            Palette_entry_short(a, k, p, was_explained ? Severity::note : Severity::warning);
            explained = explained || p.dropped != '\n';
        } else if (Line_of(a, from) != Line_of(a, p.stop)) {
            Say(a, from, Severity::warning,
                Text_fill(_("palette entry {entry} runs on from line {from} to line {to}: it holds {colour}"),
                          {{"entry", std::to_string(k + 1)},
                           {"from", std::to_string(Line_of(a, from))},
                           {"to", std::to_string(Line_of(a, p.stop))},
                           {"colour", Colour_text(c)}}));
            explained = true;
        }
        const std::int16_t parts[] = {c.r, c.g, c.b};
        for (int f = 0; f < 3; ++f)
            if (parts[f] < 0 || parts[f] > 255)
                Say(a, from, Severity::warning,
                    Text_fill(_("palette entry {entry}: {part} reads as {value}, outside 0 to 255; it shows as "
                                "{shown} (the swatch shows {swatch})"),
                              {{"entry", std::to_string(k + 1)},
                               {"part", _(component_names[f])},
                               {"value", std::to_string(parts[f])},
                               {"shown", std::to_string(static_cast<std::uint8_t>(parts[f]))},
                               {"swatch", std::to_string(static_cast<std::uint8_t>(c.r)) + "," +
                                              std::to_string(static_cast<std::uint8_t>(c.g)) + "," +
                                              std::to_string(static_cast<std::uint8_t>(c.b))}}));
    }
}

// Two swatches of one colour, and colours that cannot paint as they seem to.
void Swatches_explain(Analysis& a)
{
    for (int k = 0; k < static_cast<int>(a.trace.palette.size()); ++k) {
        const Palette_trace& p = a.trace.palette[static_cast<std::size_t>(k)];
        const long at = p.fields == EOF ? Last_line_end_of(a) : Nonblank_from(a, p.start);
        const Colour c = a.check.colours[static_cast<std::size_t>(k)];
        const std::string entry = std::to_string(k + 1);
        const std::string colour = Colour_text(c);
        for (int other = 0; other < k; ++other)
            if (Colour_cmp(c, a.check.colours[static_cast<std::size_t>(other)])) {
                Say(a, at, Severity::warning,
                    Text_fill(_("palette entry {entry} ({colour}) is the same colour as entry {other}: their "
                                "swatches are chosen together and look chosen together"),
                              {{"entry", entry}, {"colour", colour}, {"other", std::to_string(other + 1)}}));
                break;
            }
        if (Colour_cmp(c, bordercolour))
            Say(a, at, Severity::warning,
                Text_fill(_("palette entry {entry} ({colour}) is the outline colour: painting with it turns a part "
                            "into outline"),
                          {{"entry", entry}, {"colour", colour}}));
        else if (Colour_cmp(c, defaultcolour))
            Say(a, at, Severity::warning,
                Text_fill(_("palette entry {entry} ({colour}) is the colour every square starts with: painting an "
                            "uncoloured part with it changes nothing"),
                          {{"entry", entry}, {"colour", colour}}));
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
            Text_fill(_("line {line} goes on after the eighth palette entry ({rest}): that rest is taken as the "
                        "title line, so line {next} ({next_text}) becomes the first row of the picture"),
                      {{"line", std::to_string(at.line)},
                       {"rest", Quote(Rest_of_line(a, from))},
                       {"next", next_line},
                       {"next_text", next_text}}));
        return;
    }
    const std::string_view title = a.trace.separator;
    if (Looks_like_palette_entry(title))
        Say(a, start, Severity::warning,
            Text_fill(_("line {line} ({text}) looks like a palette entry, but all eight have been read by then: it "
                        "is taken as the title line, and line {next} ({next_text}) becomes the first row of the "
                        "picture"),
                      {{"line", std::to_string(at.line)},
                       {"text", Quote(title)},
                       {"next", next_line},
                       {"next_text", next_text}}));
    else if (!Nonblank_text(title) && Looks_like_title(Line_text(a, at.line + 1)))
        Say(a, start, Severity::warning,
            Text_fill(_("the line after the palette is empty, so it is taken as the title line, and line {next} "
                        "({next_text}) becomes the first row of the picture"),
                      {{"next", next_line}, {"next_text", next_text}}));
    else if (Looks_like_grid_row(title))
        Say(a, start, Severity::warning,
            _("the title line looks like a row of the picture, but the line after the palette is never shown: "
              "put a title line before the picture"));
}

