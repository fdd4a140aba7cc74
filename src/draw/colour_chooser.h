// The colour chooser that a click on a swatch opens over the board: a few
// dozen clear colours to pick with one click, and a bar for each of red,
// green and blue on which every value from 0 to 255 has its own three
// pixels, so any colour can be set exactly (the arrow keys step by one).
// Where things are and what a click means; plain logic, no window.
#pragma once
#include <array>
#include <string>
#include "board/colour.h"
#include "board/geometry.h"

constexpr int chooser_columns = 9;
constexpr int chooser_rows = 4;
constexpr int chooser_cell_width = 80;
constexpr int chooser_cell_height = 60;
constexpr int chooser_cells_x = 40;
constexpr int chooser_cells_y = 170;
constexpr int chooser_bar_x = 16;        // value v covers x = 16 + 3v .. 18 + 3v
constexpr int chooser_bar_step = 3;
constexpr int chooser_bar_y = 470;       // red; green and blue below it
constexpr int chooser_bar_gap = 70;
constexpr int chooser_bar_height = 40;

extern const std::array<Colour, chooser_columns * chooser_rows> chooser_colours;

struct Chooser {
    int k = 0;              // the swatch being chosen for
    Colour before{};        // its colour when the chooser opened
    Colour c{};             // the colour chosen so far
    int component = 0;      // the one the arrow keys step: 0 red, 1 green, 2 blue
};

Chooser Chooser_open(int k, Colour c);
// A click at window pixel (x, y): picks a listed colour or sets one
// component from its bar. Returns whether the colour changed.
bool Chooser_click(Chooser& chooser, int x, int y);
// Steps the current component by `delta`, within 0..255.
void Chooser_step(Chooser& chooser, int delta);
std::int16_t& Chooser_component(Chooser& chooser, int component);
// Empty when `c` can be given to swatch `k` of `colours`, else why not: two
// swatches of one colour are chosen together, the outline colour turns
// what it paints into outline, and the uncoloured grey paints nothing.
std::string Colour_problem(const std::array<Colour, colourcount>& colours, int k, Colour c);
