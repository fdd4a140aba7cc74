// The picture file reader. The palette is read with the C library's
// formatted input, so its quirks are the library's own: a blank before a
// comma stops an entry early and shifts every later entry. The grid is read
// one character at a time with a cursor that starts at column 1, row 1.
#include "picture_file/file_read.h"
#include "picture_file/exename.h"
#include "picture_file/file_open.h"

namespace {

// Drops characters up to and including the next line break, keeping them
// when asked to.
void Line_skip(std::FILE* in, std::string* kept)
{
    for (int c = std::fgetc(in); c != '\n' && c != EOF; c = std::fgetc(in))
        if (kept)
            kept->push_back(static_cast<char>(c));
}

}  // namespace

void Picture_read(std::FILE* in, int squarecount, std::span<Square> squares, int colourcount,
                  std::span<Colour> colours, Colour bordercolour, std::FILE* report, Picture_trace* trace)
{
    // The palette: each entry "r,g,b", then one character dropped (normally
    // the line break; after a failed conversion, the character that stopped it).
    for (int k = 0; k < colourcount; ++k) {
        Colour& c = colours[static_cast<std::size_t>(k)];
        // Each number is converted at the C library's widest size and keeps
        // its low 16 bits, which is what glibc's "%hd" does; the Windows C
        // runtime's "%hd" stops at the 32-bit limits first (4294967297 would
        // read as -1 there, 1 here). What is read, and how far, is the same.
        // Fields that were not converted stay 0; the count matters only to a trace.
        long long r = 0, g = 0, b = 0;
        const long start = trace ? std::ftell(in) : -1;
        const int fields = std::fscanf(in, "%lld,%lld,%lld", &r, &g, &b);
        const long stop = trace ? std::ftell(in) : -1;
        c = Colour{static_cast<std::int16_t>(r), static_cast<std::int16_t>(g), static_cast<std::int16_t>(b)};
        const int dropped = std::fgetc(in);
        if (trace)
            trace->palette.push_back(Palette_trace{start, fields, stop, dropped});
    }

    // The separator line is free text.
    if (trace)
        trace->separator_start = std::ftell(in);
    Line_skip(in, trace ? &trace->separator : nullptr);
    if (trace)
        trace->grid_start = std::ftell(in);

    // The grid. Row 0 and column 0 belong to the outline ring and are never
    // described. A character falling on column squarecount ends the row
    // whatever it is; reading stops at the first character of row squarecount.
    int i = 1;
    int j = 1;
    for (;;) {
        int c = std::fgetc(in);
        if (c == EOF)
            break;
        const int read = c;
        if (i == squarecount)
            c = '\n';
        if (j == squarecount) {
            if (trace)
                trace->grid.push_back(Grid_step{read, i, j, Grid_effect::past_last});
            break;
        }
        if (c == 'x') {
            if (trace)
                trace->grid.push_back(Grid_step{read, i, j, Grid_effect::outline});
            squares[static_cast<std::size_t>(i * squarecount + j)].c = bordercolour;
            ++i;
        } else if (c == ' ') {
            if (trace)
                trace->grid.push_back(Grid_step{read, i, j, Grid_effect::blank});
            ++i;
        } else if (c >= '0' && c <= '9') {
            // Digits may stand anywhere in a line without moving the cells.
            if (trace)
                trace->grid.push_back(Grid_step{read, i, j, Grid_effect::digit});
        } else if (c == '\n') {
            if (trace)
                trace->grid.push_back(
                    Grid_step{read, i, j, read == '\n' ? Grid_effect::line_end : Grid_effect::edge_end});
            i = 1;
            ++j;
        } else {
            if (trace)
                trace->grid.push_back(Grid_step{read, i, j, Grid_effect::what});
            std::fputs("WHAT?\n", report);
        }
    }
}

std::string Picture_file_read(const std::string& name, int squarecount, std::span<Square> squares,
                              int colourcount, std::span<Colour> colours, Colour bordercolour,
                              std::FILE* report, Picture_trace* trace)
{
    int read_error = 0;
    std::string why;
    std::FILE* in = Picture_file_open(name, read_error, why);
    if (!in)
        return why;
    Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, report, trace);
    Picture_file_close(in, read_error, why);
    return why;
}

std::string Picture_failure_message(const std::string& name, const std::string& why)
{
    return Picture_failure_message_in(name, Folder_current(), why);
}

std::string Picture_failure_message_in(const std::string& name, const std::string& folder, const std::string& why)
{
    return "Tintora: cannot read the picture file \"" + name + "\" in " + folder + ": " + why + "\n";
}

bool File_read(int squarecount, std::span<Square> squares, int colourcount, std::span<Colour> colours,
               Colour bordercolour, const char* path)
{
    const std::string name = exename(path ? path : "");
    const std::string why =
        Picture_file_read(name, squarecount, squares, colourcount, colours, bordercolour, stdout);
    if (why.empty())
        return true;
    std::fputs(Picture_failure_message(name, why).c_str(), stderr);
    return false;
}
