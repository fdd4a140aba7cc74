// The checker: the picture file read once, through the painter's own
// reader with a trace, then explained part by part (see analysis.h), and
// summed up.
#include "check/picture_check.h"
#include <algorithm>
#include <cstdio>
#include "check/analysis.h"
#include "language/language.h"
#include "language/text_fill.h"
#include "picture_file/file_open.h"

void Picture_analyse(const Picture_trace& trace, const Picture_source& source, Picture_check& check)
{
    Analysis a{trace, source, source.text, Text_lines_create(source.text), check};
    Encoding_explain(a);
    Palette_explain(a);
    Swatches_explain(a);
    Title_explain(a);
    Grid_explain(a);
    Text_end_explain(a);
    Regions_explain(a);
}

Picture_check Picture_check_file(const std::string& path)
{
    // One snapshot of the file feeds both the reader and the lines and columns.
    Picture_text text;
    if (std::string why = Picture_file_text(path, text); !why.empty()) {
        Picture_check check;
        Squares_create(squarecount, check.squares, squaresize, menustrip, defaultcolour, bordercolour);
        check.why = why;
        return check;
    }
    return Picture_check_text(text);
}

Picture_check Picture_check_text(const Picture_text& text)
{
    Picture_check check;
    Squares_create(squarecount, check.squares, squaresize, menustrip, defaultcolour, bordercolour);
    // The reader's "WHAT?" lines are told as diagnostics instead.
    std::FILE* whats = Discard_file_open();
    if (!whats) {
        check.why = _("no stream for the reader's reports");
        return check;
    }
    int read_error = 0;
    std::FILE* in = Text_stream_open(text, &read_error);
    if (!in) {
        std::fclose(whats);
        check.why = _("no room for reading it");
        return check;
    }
    Picture_trace trace;
    Picture_read(in, squarecount, check.squares, colourcount, check.colours, bordercolour, whats, &trace);
    std::fclose(whats);
    if (!Picture_file_close(in, read_error, check.why))
        return check;
    check.separator = trace.separator;
    const auto hidden = static_cast<std::size_t>(std::count_if(
        text.hidden.begin(), text.hidden.end(), [](char ch) { return !Blank_is(static_cast<unsigned char>(ch)); }));
    Picture_analyse(trace, Picture_source{text.text, hidden, text.encoding, text.ctrl_z ? Text_break{} : text.broken}, check);
    return check;
}

std::string Diagnostic_format(const std::string& file, const Diagnostic& d)
{
    // "warning:" and "note:" stay in English in every language: editors find
    // the diagnostics by them, as they find a compiler's.
    return file + ":" + std::to_string(d.line) + ":" + std::to_string(d.column) + ": " +
           (d.severity == Severity::warning ? "warning: " : "note: ") + d.message;
}

std::string Picture_summary(const std::string& file, const Picture_check& check)
{
    const auto& regions = check.regions.regions;
    const auto count = [](auto n) { return static_cast<unsigned long>(n < 0 ? 0 : n); };
    // TRANSLATORS: the summary is put together from the three counts below,
    // as in "owl.txt: 4 rows used, 8 outline squares, 2 regions".
    std::string line = Text_fill(
        _("{file}: {rows}, {outline}, {regions}"),
        {{"file", file},
         {"rows", Text_fill(Text_plural("{count} row used", "{count} rows used", count(check.rows_used)),
                            {{"count", std::to_string(check.rows_used)}})},
         {"outline", Text_fill(Text_plural("{count} outline square", "{count} outline squares",
                                           count(check.outline_squares)),
                               {{"count", std::to_string(check.outline_squares)}})},
         {"regions", Text_fill(Text_plural("{count} region", "{count} regions", count(regions.size())),
                               {{"count", std::to_string(regions.size())}})}});
    if (!regions.empty()) {
        const Region& small = *std::min_element(regions.begin(), regions.end(),
                                                [](const Region& x, const Region& y) { return x.size < y.size; });
        line = Text_fill(Text_plural("{summary}; the smallest has {count} square, at column {column}, row {row}",
                                     "{summary}; the smallest has {count} squares, at column {column}, row {row}",
                                     count(small.size)),
                         {{"summary", line},
                          {"count", std::to_string(small.size)},
                          {"column", std::to_string(small.i)},
                          {"row", std::to_string(small.j)}});
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
