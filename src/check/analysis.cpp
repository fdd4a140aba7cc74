// What every explanation of the checker uses: placing a diagnostic, and
// naming and quoting what the file holds.
#include "check/analysis.h"
#include <algorithm>
#include <cstdio>
#include "language/language.h"
#include "language/text_fill.h"

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

long Last_line_end_of(const Analysis& a)
{
    return End_of(a) - (a.text.ends_with('\n') ? 1 : 0);
}

long Nonblank_from(const Analysis& a, long offset)
{
    while (offset < End_of(a) && Blank_is(static_cast<unsigned char>(a.text[static_cast<std::size_t>(offset)])))
        ++offset;
    return offset;
}

std::string_view Rest_of_line(const Analysis& a, long offset, std::size_t limit)
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

bool Blank_is(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool Nonblank_text(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char ch) { return !Blank_is(static_cast<unsigned char>(ch)); });
}

std::string Colour_text(Colour c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

std::string Character_name(int c)
{
    // TRANSLATORS: the names of characters in a picture file, put into
    // sentences such as "tab is not part of a picture".
    if (c == '\t')
        return _("tab");
    if (c == '\r')
        return _("carriage return (a CR without LF is no line end)");
    if (c == '\n')
        return _("line end");
    if (c == ' ')
        return _("blank");
    if (c > ' ' && c < 0x7F)
        return std::string("'") + static_cast<char>(c) + "'";
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned>(c & 0xFF));
    // TRANSLATORS: a byte named by its value, such as "byte 0x00".
    return Text_fill(_("byte {value}"), {{"value", hex}});
}

std::string Quote(std::string_view text, std::size_t limit)
{
    std::string out;
    for (const char ch : text.substr(0, limit))
        out.push_back(ch >= ' ' && ch < 0x7F ? ch : '?');
    if (text.size() > limit)
        out += "...";
    return "\"" + out + "\"";
}
