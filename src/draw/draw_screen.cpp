// The maker's drawing. The toolbar and the squares go through the board's
// Toolbar_draw and Square_draw; the region tints are the checker's own
// region view; everything else is SDL_gfx boxes and its 8 x 8 text.
#include "draw/draw_screen.h"
#include <sstream>
#include <SDL_gfxPrimitives.h>
#include "board/toolbar.h"
#include "book/book_draw.h"
#include "check/region_view.h"
#include "check/regions.h"
#include "draw/text_input.h"

namespace {

Sint16 S(int v)
{
    return static_cast<Sint16>(v);
}

void Toolbar_paint(SDL_Surface* screen, const Drawing& drawing)
{
    std::array<Toolbaritem, colourcount> toolbar{};
    Toolbar_create(colourcount, toolbar, drawing.colours, menustrip);
    Toolbar_draw(screen, colourcount, toolbar, menustrip, toolbar[0].c);
}

// The checker's region view of the drawing, its board part copied in.
void Regions_paint(SDL_Surface* screen, const Drawing& drawing)
{
    Picture_check check;
    check.squares = drawing.squares;
    check.colours = drawing.colours;
    check.regions = Regions_find(squarecount, check.squares, bordercolour);
    SDL_Surface* view = Region_view_create(check);
    if (!view)
        return;
    SDL_Rect board{0, menustrip + 1, WIDTH, HEIGHT - menustrip - 1};
    SDL_Rect place = board;
    SDL_BlitSurface(view, &board, screen, &place);
    SDL_FreeSurface(view);
}

// A square as the painter draws it, then, with a drawing to trace, the
// drawing's part faintly over it when it is uncoloured.
void Square_paint(SDL_Surface* screen, const Square& s, Draw_look look)
{
    Square_draw(screen, s, squaresize);
    if (!look.trace || !Colour_cmp(s.c, defaultcolour))
        return;
    SDL_Rect part{S(s.x + 1), S(s.y + 1 - menustrip), squaresize - 1, squaresize - 1};
    SDL_Rect place{S(s.x + 1), S(s.y + 1), 0, 0};
    SDL_BlitSurface(look.trace, &part, screen, &place);
}

void Board_paint(SDL_Surface* screen, const Drawing& drawing, Draw_look look)
{
    if (look.regions)
        Regions_paint(screen, drawing);
    else
        for (const Square& s : drawing.squares)
            Square_paint(screen, s, look);
    if (look.mirror)
        boxRGBA(screen, S(mirror_line_x), menustrip + 1, S(mirror_line_x), HEIGHT - 1, 0, 190, 255, 255);
}

void Lines_paint(SDL_Surface* screen, int x, int y, const std::string& text, Uint8 r, Uint8 g, Uint8 b)
{
    std::istringstream lines(text);
    std::string line;
    for (int k = 0; std::getline(lines, line); ++k)
        stringRGBA(screen, S(x), S(y + 12 * k), Text_drawable(line).c_str(), r, g, b, 255);
}

}  // namespace

void Drawing_show(SDL_Surface* screen, const Drawing& drawing, Draw_look look)
{
    // The grid lines are what lies under the squares: black, as the
    // painter's window is when it opens, not what a box left there.
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    Toolbar_paint(screen, drawing);
    Board_paint(screen, drawing, look);
    SDL_Flip(screen);
}

void Drawing_show_changed(SDL_Surface* screen, const Drawing& drawing, Draw_look look,
                          const std::vector<Square_place>& changed)
{
    if (changed.empty())
        return;
    if (look.regions) {
        Board_paint(screen, drawing, look);
        SDL_UpdateRect(screen, 0, menustrip + 1, WIDTH, HEIGHT - menustrip - 1);
        return;
    }
    std::vector<SDL_Rect> rects;
    rects.reserve(changed.size());
    for (const Square_place& at : changed) {
        const Square& s = drawing.squares[static_cast<std::size_t>(at.i * squarecount + at.j)];
        Square_paint(screen, s, look);
        rects.push_back(SDL_Rect{S(s.x + 1), S(s.y + 1), squaresize - 1, squaresize - 1});
    }
    SDL_UpdateRects(screen, static_cast<int>(rects.size()), rects.data());
}

SDL_Surface* Trace_view_create(const Trace_image& image)
{
    SDL_Surface* view = SDL_CreateRGBSurface(SDL_SWSURFACE, WIDTH, WIDTH, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    if (!view)
        return nullptr;
    // Faint: white stays the uncoloured grey, black shows as a mid grey.
    const int grey = defaultcolour.r;
    for (int y = 0; y < WIDTH; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(view->pixels) + y * view->pitch);
        for (int x = 0; x < WIDTH; ++x) {
            const Uint32 level = static_cast<Uint32>(grey - (255 - Trace_grey_at(image, x, y)) * 2 / 5);
            row[x] = (level << 16) | (level << 8) | level;
        }
    }
    return view;
}

void Toolbar_show(SDL_Surface* screen, const Drawing& drawing)
{
    Toolbar_paint(screen, drawing);
    SDL_UpdateRect(screen, 0, 0, WIDTH, menustrip + 1);
}

void Box_show(SDL_Surface* screen, const std::string& text)
{
    std::string wrapped;
    std::istringstream paragraphs(text);
    for (std::string paragraph; std::getline(paragraphs, paragraph);)
        wrapped += Text_wrap(paragraph, (WIDTH - 40) / 8) + "\n";
    int lines = 0;
    for (char c : wrapped)
        lines += c == '\n';
    const int top = HEIGHT - 30 - 12 * lines;
    boxRGBA(screen, 0, S(top), WIDTH - 1, HEIGHT - 1, 30, 50, 110, 255);
    rectangleRGBA(screen, 0, S(top), WIDTH - 1, HEIGHT - 1, 255, 255, 255, 255);
    Lines_paint(screen, 20, top + 15, wrapped, 255, 255, 255);
    SDL_Flip(screen);
}

void Chooser_show(SDL_Surface* screen, const Chooser& chooser, const std::string& problem)
{
    boxRGBA(screen, 0, menustrip + 1, WIDTH - 1, HEIGHT - 1, 40, 40, 40, 255);
    const std::string heading = "Colour of swatch " + std::to_string(chooser.k + 1) +
                                ": click a colour, or set red, green and blue on their bars.";
    Lines_paint(screen, chooser_cells_x, 130, heading, 255, 255, 255);
    for (int row = 0; row < chooser_rows; ++row)
        for (int column = 0; column < chooser_columns; ++column) {
            const Colour c = chooser_colours[static_cast<std::size_t>(row * chooser_columns + column)];
            const int x = chooser_cells_x + column * chooser_cell_width;
            const int y = chooser_cells_y + row * chooser_cell_height;
            const bool chosen = Colour_cmp(c, chooser.c);
            boxRGBA(screen, S(x + 4), S(y + 4), S(x + chooser_cell_width - 5), S(y + chooser_cell_height - 5),
                    chosen ? 255 : 90, chosen ? 255 : 90, chosen ? 255 : 90, 255);
            boxRGBA(screen, S(x + 8), S(y + 8), S(x + chooser_cell_width - 9), S(y + chooser_cell_height - 9),
                    static_cast<Uint8>(c.r), static_cast<Uint8>(c.g), static_cast<Uint8>(c.b), 255);
        }
    const char* names[] = {"Red", "Green", "Blue"};
    Chooser shown = chooser;
    for (int component = 0; component < 3; ++component) {
        const int top = chooser_bar_y + component * chooser_bar_gap;
        Colour c = chooser.c;
        for (int v = 0; v < 256; ++v) {
            std::int16_t& part = component == 0 ? c.r : component == 1 ? c.g : c.b;
            part = static_cast<std::int16_t>(v);
            const int x = chooser_bar_x + v * chooser_bar_step;
            boxRGBA(screen, S(x), S(top), S(x + chooser_bar_step - 1), S(top + chooser_bar_height - 1),
                    static_cast<Uint8>(c.r), static_cast<Uint8>(c.g), static_cast<Uint8>(c.b), 255);
        }
        const int value = Chooser_component(shown, component);
        const int mark = chooser_bar_x + value * chooser_bar_step + 1;
        boxRGBA(screen, S(mark - 1), S(top - 4), S(mark + 1), S(top + chooser_bar_height + 3), 255, 255, 255, 255);
        const std::string label = std::string(component == chooser.component ? "> " : "  ") + names[component] +
                                  " " + std::to_string(value);
        Lines_paint(screen, chooser_bar_x, top + chooser_bar_height + 8, label, 255, 255, 255);
    }
    const int below = chooser_bar_y + 3 * chooser_bar_gap + 10;
    boxRGBA(screen, chooser_cells_x, S(below), chooser_cells_x + 150, S(below + 80), static_cast<Uint8>(chooser.c.r),
            static_cast<Uint8>(chooser.c.g), static_cast<Uint8>(chooser.c.b), 255);
    Lines_paint(screen, chooser_cells_x + 170, below + 10,
                "Up and Down pick red, green or blue; Left and Right step it by one.\n"
                "Enter keeps this colour, Escape puts the old one back.",
                255, 255, 255);
    if (!problem.empty())
        Lines_paint(screen, chooser_cells_x + 170, below + 50, Text_wrap(problem, 70), 255, 120, 120);
    SDL_Flip(screen);
}
