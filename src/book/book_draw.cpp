// The book's drawing: blits of ready thumbnails and SDL_gfx's own boxes,
// circles and 8 x 8 text, so it needs nothing the painter does not.
#include "book/book_draw.h"
#include <SDL_gfxPrimitives.h>
#include <sstream>
#include "book/book_layout.h"

namespace {

void Text_lines_draw(SDL_Surface* screen, int x, int y, const std::string& text, Book_rgb c)
{
    std::istringstream lines(text);
    std::string line;
    for (int k = 0; std::getline(lines, line); ++k)
        stringRGBA(screen, static_cast<Sint16>(x), static_cast<Sint16>(y + 10 * k), line.c_str(), c.r, c.g, c.b, 255);
}

// How wide a line of text is drawn.
int Text_width(const std::string& line)
{
    return 8 * static_cast<int>(line.size());
}

// A button: a light face with a dark edge, so that it stands out on any
// thumbnail, and its label in the middle.
void Button_draw(SDL_Surface* screen, const Book_rect& place, const std::string& label)
{
    const auto sx = [](int v) { return static_cast<Sint16>(v); };
    const int right = place.x + place.width - 1, bottom = place.y + place.height - 1;
    boxRGBA(screen, sx(place.x), sx(place.y), sx(right), sx(bottom), book_button_face.r, book_button_face.g,
            book_button_face.b, 255);
    for (int k = 0; k < 2; ++k)
        rectangleRGBA(screen, sx(place.x + k), sx(place.y + k), sx(right - k), sx(bottom - k), book_button_ink.r,
                      book_button_ink.g, book_button_ink.b, 255);
    Text_lines_draw(screen, place.x + (place.width - Text_width(label)) / 2, place.y + (place.height - 8) / 2, label,
                    book_button_ink);
}

}  // namespace

std::string Text_wrap(const std::string& text, int width)
{
    // Each of the text's own lines is broken on its own.
    std::string out;
    std::size_t line_start = 0;
    for (;;) {
        const std::size_t line_end = text.find('\n', line_start);
        std::string rest = text.substr(line_start, line_end == std::string::npos ? std::string::npos : line_end - line_start);
        while (static_cast<int>(rest.size()) > width) {
            auto cut = rest.rfind(' ', static_cast<std::size_t>(width));
            if (cut == std::string::npos || cut == 0)
                cut = static_cast<std::size_t>(width);
            out += rest.substr(0, cut) + "\n";
            rest = rest.substr(cut);
            if (!rest.empty() && rest[0] == ' ')
                rest.erase(0, 1);
        }
        out += rest;
        if (line_end == std::string::npos)
            return out;
        out += '\n';
        line_start = line_end + 1;
    }
}

void Book_clear(SDL_Surface* screen)
{
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0x30, 0x30, 0x30));
}

void Book_cell_draw(SDL_Surface* screen, int x, int y, const Picture_card& card, bool selected,
                    const std::vector<std::string>& buttons)
{
    const int tx = x + book_thumbnail_x;
    const int ty = y + book_thumbnail_y;
    const auto sx = [](int v) { return static_cast<Sint16>(v); };
    if (selected)
        for (int k = 3; k <= 6; ++k)
            rectangleRGBA(screen, sx(tx - k), sx(ty - k), sx(tx + thumbnail_width - 1 + k),
                          sx(ty + thumbnail_height - 1 + k), book_selection.r, book_selection.g, book_selection.b, 255);
    if (card.thumbnail) {
        SDL_Rect place{sx(tx), sx(ty), 0, 0};
        SDL_BlitSurface(card.thumbnail.get(), nullptr, screen, &place);
    } else {
        boxRGBA(screen, sx(tx), sx(ty), sx(tx + thumbnail_width - 1), sx(ty + thumbnail_height - 1), 90, 90, 90, 255);
        Text_lines_draw(screen, tx + 4, ty + 6, Text_wrap(card.message, (thumbnail_width - 8) / 8), {255, 255, 255});
    }
    if (card.warned) {
        const int cx = tx + thumbnail_width - 12;
        const int cy = ty + 12;
        filledCircleRGBA(screen, sx(cx), sx(cy), 9, book_mark.r, book_mark.g, book_mark.b, 255);
        boxRGBA(screen, sx(cx - 1), sx(cy - 5), sx(cx), sx(cy + 1), 255, 255, 255, 255);
        boxRGBA(screen, sx(cx - 1), sx(cy + 3), sx(cx), sx(cy + 4), 255, 255, 255, 255);
    }
    if (card.kept) {
        // Opposite the warning mark, so a card can show both.
        const int cx = tx + thumbnail_width - 10;
        const int cy = ty + thumbnail_height - 10;
        filledCircleRGBA(screen, sx(cx), sx(cy), 7, book_kept_mark.r, book_kept_mark.g, book_kept_mark.b, 255);
        boxRGBA(screen, sx(cx - 2), sx(cy - 2), sx(cx + 2), sx(cy + 2), 255, 255, 255, 255);
    }
    if (card.add) {
        // A plus across the empty board: a page to start on.
        const int cx = tx + thumbnail_width / 2, cy = ty + thumbnail_height / 2 + 10;
        boxRGBA(screen, sx(cx - 30), sx(cy - 5), sx(cx + 30), sx(cy + 5), 20, 20, 20, 255);
        boxRGBA(screen, sx(cx - 5), sx(cy - 30), sx(cx + 5), sx(cy + 30), 20, 20, 20, 255);
    }
    // The title whole, on as many lines as it needs up to the cell's room;
    // only a title longer than that is cut, with "..".
    std::istringstream lines(Text_wrap(card.title, book_title_chars));
    std::string line;
    for (int k = 0; k < book_title_lines && std::getline(lines, line); ++k) {
        std::string rest;
        if (k == book_title_lines - 1 && std::getline(lines, rest) && !rest.empty())
            line = line.substr(0, static_cast<std::size_t>(book_title_chars - 2)) + "..";
        const int title_x = x + (book_cell_width - 8 * static_cast<int>(line.size())) / 2;
        stringRGBA(screen, sx(title_x), sx(y + book_title_y + k * book_title_line_height), line.c_str(),
                   book_title_colour.r, book_title_colour.g, book_title_colour.b, 255);
    }
    // How many parts there are to colour: the picture's size at a glance,
    // under the title, so that the thumbnail stays the painter's view.
    if (card.parts > 0) {
        const std::string parts = std::to_string(card.parts) + (card.parts == 1 ? " part" : " parts");
        const int parts_x = x + (book_cell_width - 8 * static_cast<int>(parts.size())) / 2;
        stringRGBA(screen, sx(parts_x), sx(y + book_parts_y), parts.c_str(), book_parts_colour.r, book_parts_colour.g,
                   book_parts_colour.b, 255);
    }
    const int count = static_cast<int>(buttons.size());
    for (int slot = 0; slot < count; ++slot)
        Button_draw(screen, Book_button_place({x, y}, slot, count), buttons[static_cast<std::size_t>(slot)]);
}

namespace {

void Box_text_draw(SDL_Surface* screen, const std::string& text)
{
    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    const int top = book_height - 30 - 10 * lines;
    boxRGBA(screen, 0, static_cast<Sint16>(top), book_width - 1, book_height - 1, 120, 20, 20, 255);
    rectangleRGBA(screen, 0, static_cast<Sint16>(top), book_width - 1, book_height - 1, 255, 255, 255, 255);
    Text_lines_draw(screen, 20, top + 15, text, {255, 255, 255});
}

}  // namespace

void Book_message_draw(SDL_Surface* screen, const std::string& message)
{
    Box_text_draw(screen, Text_wrap(message, (book_width - 40) / 8) + "\n\nClick or press a key to go on.");
}

void Book_question_draw(SDL_Surface* screen, const std::string& question)
{
    Box_text_draw(screen, Text_wrap(question, book_question_chars) + "\n\nEnter: yes    Escape: no");
    Button_draw(screen, Book_answer_place(Book_answer::yes), "Yes");
    Button_draw(screen, Book_answer_place(Book_answer::no), "No");
}
