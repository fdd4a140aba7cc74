// The page is laid out in points with the origin at the top left, as a
// person reads it; the PDF writer turns it the other way up.
#include "book/print_layout.h"
#include <algorithm>
#include "board/geometry.h"

namespace {

constexpr double margin = 36;        // half an inch: twice what most printers cannot reach
constexpr double title_band = 48;    // the title's band above the board, with the gap below it
constexpr double title_points = 24;

// The length of the UTF-8 sequence starting at `k`, or 0 when it is not
// well formed (overlong forms, surrogates and values past U+10FFFF included).
std::size_t Utf8_length(const std::string& text, std::size_t k)
{
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char first = byte(k);
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;
    if (first >= 0x20 && first < 0x7F)
        return 1;
    if (first >= 0xC2 && first <= 0xDF)
        length = 2;
    else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        if (first == 0xE0)
            low = 0xA0;
        if (first == 0xED)
            high = 0x9F;
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        if (first == 0xF0)
            low = 0x90;
        if (first == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (k + length > text.size())
        return 0;
    for (std::size_t n = 1; n < length; ++n) {
        const unsigned c = byte(k + n);
        if (c < (n == 1 ? low : 0x80) || c > (n == 1 ? high : 0xBF))
            return 0;
    }
    return length;
}

}  // namespace

Print_layout Print_layout_make(double page_width, double page_height)
{
    Print_layout layout;
    layout.page_width = page_width;
    layout.page_height = page_height;
    const double across = std::max(0.0, page_width - 2 * margin);
    const double down = std::max(0.0, page_height - 2 * margin - title_band);
    const double side = std::min(across, down);
    layout.cell = side / squarecount;
    layout.title = {margin, margin, across, title_band};
    layout.title_size = title_points;
    layout.board = {(page_width - side) / 2, margin + title_band, side, side};
    return layout;
}

Print_box Print_square_box(const Print_layout& layout, int i, int j)
{
    return {layout.board.x + i * layout.cell, layout.board.y + j * layout.cell, layout.cell, layout.cell};
}

Colour Print_square_colour(Colour c)
{
    if (Colour_cmp(c, bordercolour))
        return {0, 0, 0};
    if (Colour_cmp(c, defaultcolour))
        return {255, 255, 255};
    return c;
}

std::string Print_title_text(const std::string& separator, const std::string& name)
{
    const auto first = separator.find_first_not_of(" \t\r");
    const std::string source =
        first == std::string::npos ? name : separator.substr(first, separator.find_last_not_of(" \t\r") - first + 1);
    std::string title;
    for (std::size_t k = 0; k < source.size();) {
        const std::size_t length = Utf8_length(source, k);
        if (length == 0) {
            title += '?';
            ++k;
        } else {
            title += source.substr(k, length);
            k += length;
        }
    }
    return title;
}
