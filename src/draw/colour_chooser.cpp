// The chooser's colours and its hit test.
#include "draw/colour_chooser.h"
#include <algorithm>

const std::array<Colour, chooser_columns * chooser_rows> chooser_colours{{
    // strong
    {230, 40, 40}, {250, 120, 30}, {250, 200, 30}, {160, 210, 40}, {40, 170, 70},
    {30, 170, 170}, {40, 110, 220}, {120, 70, 200}, {210, 60, 160},
    // light
    {255, 150, 150}, {255, 190, 130}, {255, 240, 150}, {200, 240, 150}, {150, 220, 170},
    {150, 230, 230}, {150, 190, 250}, {200, 170, 250}, {250, 180, 220},
    // deep
    {140, 20, 30}, {170, 80, 20}, {180, 140, 20}, {90, 130, 30}, {20, 100, 50},
    {20, 100, 110}, {20, 50, 140}, {70, 30, 120}, {130, 30, 90},
    // earth, skin, greys
    {140, 90, 50}, {190, 140, 90}, {240, 200, 160}, {250, 225, 200}, {255, 255, 255},
    {170, 170, 170}, {110, 110, 110}, {60, 60, 60}, {0, 0, 0},
}};

Chooser Chooser_open(int k, Colour c)
{
    return Chooser{k, c, c, 0};
}

std::int16_t& Chooser_component(Chooser& chooser, int component)
{
    return component == 0 ? chooser.c.r : component == 1 ? chooser.c.g : chooser.c.b;
}

bool Chooser_click(Chooser& chooser, int x, int y)
{
    const Colour was = chooser.c;
    const int column = (x - chooser_cells_x) / chooser_cell_width;
    const int row = (y - chooser_cells_y) / chooser_cell_height;
    if (x >= chooser_cells_x && y >= chooser_cells_y && column < chooser_columns && row < chooser_rows)
        chooser.c = chooser_colours[static_cast<std::size_t>(row * chooser_columns + column)];
    for (int component = 0; component < 3; ++component) {
        const int top = chooser_bar_y + component * chooser_bar_gap;
        if (y >= top && y < top + chooser_bar_height && x >= chooser_bar_x &&
            x < chooser_bar_x + 256 * chooser_bar_step) {
            chooser.component = component;
            Chooser_component(chooser, component) = static_cast<std::int16_t>((x - chooser_bar_x) / chooser_bar_step);
        }
    }
    return !Colour_cmp(was, chooser.c);
}

void Chooser_step(Chooser& chooser, int delta)
{
    std::int16_t& value = Chooser_component(chooser, chooser.component);
    value = static_cast<std::int16_t>(std::clamp(value + delta, 0, 255));
}

std::string Colour_problem(const std::array<Colour, colourcount>& colours, int k, Colour c)
{
    if (Colour_cmp(c, bordercolour))
        return "that is the outline colour: painting with it would turn a part into outline";
    if (Colour_cmp(c, defaultcolour))
        return "that is the grey every part starts with: painting with it would change nothing";
    for (int other = 0; other < colourcount; ++other)
        if (other != k && Colour_cmp(c, colours[static_cast<std::size_t>(other)]))
            return "swatch " + std::to_string(other + 1) + " has that colour: two swatches of one colour are chosen together";
    return "";
}
