// The colouring file's text. The reader accepts exactly what the writer
// writes, and for line ends also CR LF (a file copied through Windows), so
// that anything else (a truncated file, garbage) is told apart from a
// colouring and never half applied.
#include "colouring/colouring_format.h"
#include <charconv>
#include <cstdio>

static_assert(colourcount <= 8, "a cell names its palette entry with one digit, 0 to 7");

namespace {

constexpr std::uint64_t fnv_offset = 14695981039346656037ull;
constexpr std::uint64_t fnv_prime = 1099511628211ull;

void Digest_add(std::uint64_t& digest, std::uint8_t byte)
{
    digest ^= byte;
    digest *= fnv_prime;
}

const Square& Square_at(std::span<const Square> squares, int i, int j)
{
    return squares[static_cast<std::size_t>(i * squarecount + j)];
}

// Cell (i, j) of the board, i and j from 1: the ring is never stored.
std::size_t Cell_index(int i, int j)
{
    return static_cast<std::size_t>((j - 1) * colouring_side + (i - 1));
}

// The next line of `text` from `at`, without its line end; false at the end
// of the text or when the last line has no line end (a file cut short).
bool Line_next(std::string_view text, std::size_t& at, std::string_view& line)
{
    const std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos)
        return false;
    line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    at = end + 1;
    return true;
}

}  // namespace

std::uint64_t Picture_digest(std::span<const Square> squares, std::span<const Colour> colours)
{
    std::uint64_t digest = fnv_offset;
    for (const Colour& c : colours)
        for (std::int16_t v : {c.r, c.g, c.b}) {
            const auto u = static_cast<std::uint16_t>(v);
            Digest_add(digest, static_cast<std::uint8_t>(u & 0xFF));
            Digest_add(digest, static_cast<std::uint8_t>(u >> 8));
        }
    for (const Square& s : squares)
        Digest_add(digest, Colour_cmp(s.c, bordercolour) ? 'x' : '.');
    return digest;
}

Colouring Colouring_take(std::uint64_t digest, std::span<const Square> squares, std::span<const Colour> colours,
                         Colour mousecolour)
{
    Colouring colouring;
    colouring.digest = digest;
    for (std::size_t k = 0; k < colours.size(); ++k)
        if (Colour_cmp(colours[k], mousecolour)) {
            colouring.swatch = static_cast<int>(k);
            break;
        }
    for (int j = 1; j <= colouring_side; ++j)
        for (int i = 1; i <= colouring_side; ++i) {
            const Colour c = Square_at(squares, i, j).c;
            // A square of the outlines' colour is one whatever made it so:
            // a fill with a palette colour equal to it turns squares into
            // outlines that stop every later fill.
            char cell = Colour_cmp(c, bordercolour) ? 'x' : '.';
            for (std::size_t k = 0; cell == '.' && k < colours.size(); ++k)
                if (Colour_cmp(colours[k], c))
                    cell = static_cast<char>('0' + k);
            colouring.cells[Cell_index(i, j)] = cell;
        }
    return colouring;
}

std::string Colouring_apply(const Colouring& colouring, std::uint64_t digest, std::span<Square> squares,
                            std::span<const Colour> colours, Colour& mousecolour)
{
    if (colouring.digest != digest)
        return "it was made on another version of this picture";
    if (colouring.swatch < 0 || static_cast<std::size_t>(colouring.swatch) >= colours.size())
        return "its chosen colour is not one of the picture's";
    bool outline_in_palette = false;
    for (const Colour& c : colours)
        outline_in_palette = outline_in_palette || Colour_cmp(c, bordercolour);
    // First check everything, so that a colouring that does not fit leaves
    // the board untouched. The picture's own outlines never change colour;
    // more outlines can only come from a palette colour equal to theirs.
    for (int j = 1; j <= colouring_side; ++j)
        for (int i = 1; i <= colouring_side; ++i) {
            const char cell = colouring.cells[Cell_index(i, j)];
            const bool outline = Colour_cmp(Square_at(squares, i, j).c, bordercolour);
            if (outline ? cell != 'x' : cell == 'x' && !outline_in_palette)
                return "its outlines are not the picture's";
            if (cell != 'x' && cell != '.' && (cell < '0' || cell - '0' >= static_cast<int>(colours.size())))
                return "it names a colour the picture does not have";
        }
    for (int j = 1; j <= colouring_side; ++j)
        for (int i = 1; i <= colouring_side; ++i) {
            const char cell = colouring.cells[Cell_index(i, j)];
            Colour& c = squares[static_cast<std::size_t>(i * squarecount + j)].c;
            if (cell == 'x')
                c = bordercolour;
            else if (cell != '.')
                c = colours[static_cast<std::size_t>(cell - '0')];
        }
    mousecolour = colours[static_cast<std::size_t>(colouring.swatch)];
    return "";
}

std::string Colouring_text(const Colouring& colouring)
{
    std::string text = std::string(colouring_format_line) + "\n";
    char digest[40];
    std::snprintf(digest, sizeof digest, "digest %016llx\n", static_cast<unsigned long long>(colouring.digest));
    text += digest;
    text += "swatch " + std::to_string(colouring.swatch) + "\n";
    for (int j = 0; j < colouring_side; ++j) {
        text.append(colouring.cells.data() + j * colouring_side, colouring_side);
        text += '\n';
    }
    return text;
}

std::string Colouring_parse(std::string_view text, Colouring& colouring)
{
    Colouring read;
    std::size_t at = 0;
    std::string_view line;
    if (!Line_next(text, at, line) || line != colouring_format_line) {
        if (line.starts_with("tintora-colouring "))
            return "it is of a later format than this Tintora reads";
        return "it is not a colouring";
    }
    if (!Line_next(text, at, line) || !line.starts_with("digest ") || line.size() != 7 + 16)
        return "its digest line is damaged";
    const auto digest = std::from_chars(line.data() + 7, line.data() + line.size(), read.digest, 16);
    if (digest.ec != std::errc() || digest.ptr != line.data() + line.size())
        return "its digest line is damaged";
    if (!Line_next(text, at, line) || !line.starts_with("swatch ") || line.size() != 8 || line[7] < '0' ||
        line[7] > '7')
        return "its swatch line is damaged";
    read.swatch = line[7] - '0';
    for (int j = 0; j < colouring_side; ++j) {
        if (!Line_next(text, at, line))
            return "it is cut short";
        if (line.size() != colouring_side)
            return "its board is damaged";
        for (int i = 0; i < colouring_side; ++i) {
            const char cell = line[static_cast<std::size_t>(i)];
            if (cell != '.' && cell != 'x' && (cell < '0' || cell > '7'))
                return "its board is damaged";
            read.cells[static_cast<std::size_t>(j * colouring_side + i)] = cell;
        }
    }
    if (at != text.size())
        return "it goes on past its board";
    colouring = read;
    return "";
}
