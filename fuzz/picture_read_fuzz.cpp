// Fuzz target for the picture reader: any bytes at all go through the real
// text layer and the real reader into a freshly built board and a palette,
// each with guard zones on both sides. Afterwards the outline ring must be
// whole, every square must have kept its colour or become an outline
// square, nothing beyond the board or the palette may have changed, and
// the reader must have written nothing but whole "WHAT?" lines.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>
#include "board/geometry.h"
#include "board/square.h"
#include "picture_file/file_read.h"
#include "picture_file/text_stream.h"

namespace {

constexpr std::size_t guard = 64;   // elements on each side of the board and the palette
constexpr std::size_t board_size = squarecount * squarecount;
constexpr Square guard_square{-31111, 31111, Colour{-777, 777, -777}};
constexpr Colour guard_colour{-555, 555, -555};
constexpr char what_line[] = "WHAT?\n";

[[noreturn]] void Broken(const char* what)
{
    std::fprintf(stderr, "picture reader invariant broken: %s\n", what);
    std::abort();
}

bool Same(const Square& a, const Square& b)
{
    return a.x == b.x && a.y == b.y && Colour_cmp(a.c, b.c);
}

// Where the reader's reports go: checked byte by byte to be "WHAT?\n" lines.
struct Report_check {
    std::size_t bytes = 0;
};

ssize_t Report_write(void* cookie, const char* data, std::size_t size)
{
    auto& check = *static_cast<Report_check*>(cookie);
    for (std::size_t k = 0; k < size; ++k, ++check.bytes)
        if (data[k] != what_line[check.bytes % (sizeof what_line - 1)])
            Broken("the reader wrote something other than WHAT? lines");
    return static_cast<ssize_t>(size);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<Square> board(guard + board_size + guard, guard_square);
    std::span<Square> squares(board.data() + guard, board_size);
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    const std::vector<Square> before = board;

    std::vector<Colour> palette(guard + colourcount + guard, guard_colour);
    std::span<Colour> colours(palette.data() + guard, colourcount);

    int read_error = 0;
    std::FILE* in = Text_open_bytes(std::string_view(reinterpret_cast<const char*>(data), size), &read_error);
    if (!in)
        Broken("Text_open_bytes failed");

    Report_check check;
    cookie_io_functions_t io{};
    io.write = Report_write;
    std::FILE* report = fopencookie(&check, "w", io);
    if (!report)
        Broken("fopencookie failed");

    Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, report);
    std::fclose(report);
    std::fclose(in);

    if (check.bytes % (sizeof what_line - 1) != 0)
        Broken("a WHAT? line was cut short");
    // One per character read at most: UTF-16 gives up to 3 bytes of UTF-8
    // for each 2 bytes stored, other files one for one.
    if (check.bytes / (sizeof what_line - 1) > size + size / 2)
        Broken("more WHAT? lines than characters read");
    if (read_error != 0)
        Broken("a read error from memory");

    for (std::size_t k = 0; k < guard; ++k) {
        if (!Same(board[k], guard_square) || !Same(board[guard + board_size + k], guard_square))
            Broken("a square outside the board was written");
        if (!Colour_cmp(palette[k], guard_colour) || !Colour_cmp(palette[guard + colourcount + k], guard_colour))
            Broken("a colour outside the palette was written");
    }
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j) {
            const std::size_t at = static_cast<std::size_t>(i * squarecount + j);
            const Square& now = squares[at];
            const Square& was = before[guard + at];
            if (now.x != was.x || now.y != was.y)
                Broken("a square moved");
            if (!Colour_cmp(now.c, was.c) && !Colour_cmp(now.c, bordercolour))
                Broken("a square took a colour other than its own or the outline colour");
            const bool ring = i == 0 || j == 0 || i == squarecount - 1 || j == squarecount - 1;
            if (ring && !Colour_cmp(now.c, bordercolour))
                Broken("the outline ring was broken");
        }
    return 0;
}
