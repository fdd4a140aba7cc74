// Writing the plain picture format. Only the squares inside the ring are
// described: the ring is outline whatever the file says.
#include "draw/picture_write.h"

std::string Picture_text_make(const Drawing& drawing, std::string_view line_end)
{
    std::string text;
    for (const Colour& c : drawing.colours)
        text += std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + std::string(line_end);
    text += drawing.title;
    text += line_end;
    std::string rows;
    for (int j = 1; j < squarecount - 1; ++j) {
        std::string row;
        for (int i = 1; i < squarecount - 1; ++i)
            row += Colour_cmp(drawing.squares[static_cast<std::size_t>(i * squarecount + j)].c, bordercolour) ? 'x' : ' ';
        row.erase(row.find_last_not_of(' ') + 1);
        rows += row;
        rows += line_end;
        if (!row.empty()) {
            text += rows;
            rows.clear();
        }
    }
    return text;
}
