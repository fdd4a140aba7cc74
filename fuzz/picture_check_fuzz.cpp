// Fuzz target for the checker's analysis: any bytes are read by the real
// text layer and reader with a trace, and the analysis must explain them
// without crashing. Afterwards every diagnostic must point inside the text,
// there must be one WHAT? warning per "WHAT?" line the reader wrote, and
// the regions must cover every square that is not outline exactly once.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "check/picture_check.h"
#include "check/text_position.h"
#include "picture_file/text_stream.h"

namespace {

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "checker invariant broken: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Picture_check check;
    Squares_create(squarecount, check.squares, squaresize, menustrip, defaultcolour, bordercolour);
    Picture_trace trace;
    // One text, as the checker makes it, for the reader and the analysis.
    const Picture_text text =
        Picture_text_make(std::string_view(reinterpret_cast<const char*>(data), size));
    int read_error = 0;
    std::FILE* in = Text_stream_open(text, &read_error);
    if (!in)
        Broken("Text_stream_open failed");
    char* report = nullptr;
    std::size_t report_size = 0;
    std::FILE* out = open_memstream(&report, &report_size);
    Picture_read(in, squarecount, check.squares, colourcount, check.colours, bordercolour, out, &trace);
    std::fclose(out);
    Text_stream_close(in, &read_error);
    const std::string whats(report, report_size);
    std::free(report);

    Picture_analyse(trace, Picture_source{text.text, text.hidden.size(), text.encoding, text.broken}, check);

    const Text_lines lines = Text_lines_create(text.text);
    const Text_place end = Text_place_of(lines, static_cast<long>(text.text.size()));
    std::size_t what_warnings = 0;
    for (const Diagnostic& d : check.diagnostics) {
        if (d.line < 1 || d.column < 1 || d.line > end.line)
            Broken("a diagnostic points outside the text");
        // Only that warning ends so: quotes of the file never end a message.
        if (d.message.ends_with("\"WHAT?\" and it takes no square"))
            ++what_warnings;
    }
    if (what_warnings * 6 != whats.size())
        Broken("WHAT? warnings and the reader's WHAT? lines differ in number");

    std::vector<int> sizes(check.regions.regions.size(), 0);
    for (std::size_t k = 0; k < check.squares.size(); ++k) {
        const int region = check.regions.of[k];
        const bool outline = Colour_cmp(check.squares[k].c, bordercolour) == 1;
        if (outline != (region < 0))
            Broken("a square is both outline and in a region, or neither");
        if (region >= static_cast<int>(sizes.size()))
            Broken("a square names a region that does not exist");
        if (region >= 0)
            ++sizes[static_cast<std::size_t>(region)];
    }
    for (std::size_t r = 0; r < sizes.size(); ++r)
        if (sizes[r] != check.regions.regions[r].size || sizes[r] == 0)
            Broken("a region's size is not the number of its squares");
    return 0;
}
