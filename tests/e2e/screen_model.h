// What the window should show, built from first principles for the tests:
// an 800 x 900 window, a toolbar strip of eight 100 x 100 items on top and
// a board of 40 x 40 squares of 20 pixels below, with a one-pixel grid.
//
//   square (i, j): 19 x 19 pixels from (20i+1, 100+20j+1) to (20i+19, 100+20j+19);
//   grid lines (x = 20i, y = 100+20j): black, never painted, except y = 100,
//     which the toolbar items' frames paint dark grey (50, 50, 50);
//   toolbar item k: grey box x = 100k..100k+100, y = 0..100 (a later item
//     paints over the shared column, the last column falls outside), then its
//     swatch inset 5 (91 x 91), or inset 10 (81 x 81) when its colour equals
//     the current colour (every item of that colour);
//   a colour is compared on its full values and drawn by the low byte of each
//     component (300 draws as 44, -1 as 255).
// Also: picture file texts, and comparing a picture with a screenshot in
// words (which square or swatch differs, expected against seen).
#pragma once
#include <array>
#include <string>
#include <vector>
#include "x_session.h"

// A colour as the picture file gives it.
struct Tint {
    int r = 0, g = 0, b = 0;
    bool operator==(const Tint&) const = default;
};

Rgb8 Tint_drawn(Tint c);   // low bytes
std::string Rgb_text(Rgb8 c);   // "(r, g, b)"

constexpr int model_width = 800;
constexpr int model_height = 900;
constexpr int model_strip = 100;
constexpr int model_square = 20;
constexpr int model_count = 40;   // squares along each side
constexpr Tint tint_default{200, 200, 200};
constexpr Tint tint_outline{20, 20, 20};
constexpr Rgb8 frame_grey{50, 50, 50};

// The state a person can see: palette (toolbar), the current colour and the
// colour of every square, squares[i * 40 + j] for column i, row j.
struct Screen_model {
    std::array<Tint, 8> palette{};
    Tint current{};
    std::array<Tint, model_count * model_count> squares{};
};

// A freshly started program: every square the default grey, the outline
// ring around the edge, the first palette colour current.
Screen_model Screen_model_create(const std::array<Tint, 8>& palette);
Tint& Screen_model_square(Screen_model& model, int i, int j);
// Marks outline squares from grid lines made of ' ' and 'x' only: line r is
// board row r + 1, character k is column k + 1 (the ring stays as it is).
void Screen_model_outline(Screen_model& model, const std::vector<std::string>& grid);
// Paints the region around (i, j) with the current colour: every square
// reachable through edge-sharing neighbours that are neither outline nor
// already the current colour. Returns how many squares were painted.
int Screen_model_fill(Screen_model& model, int i, int j);
Image Screen_model_draw(const Screen_model& model);

// The picture file's text: the eight palette lines "r,g,b", a separator
// line, then the grid lines, each ended by '\n'.
std::string Picture_text(const std::array<Tint, 8>& palette, const std::vector<std::string>& grid,
                         const std::string& separator = "separator line");
// The same text saved the DOS way: each '\n' as CR LF, then a Ctrl-Z (0x1A)
// and the tail after it (which a reader must never see).
std::string Text_dos(const std::string& text, const std::string& tail_after_ctrl_z);

// Window pixel (x, y) named the way a person would point at it: "square
// (3, 7)", "toolbar item 2", "grid line x = 40", "grid line y = 100".
std::string Pixel_place(int x, int y);
// Empty when the images are equal. Otherwise one line per place that
// differs (up to max_lines): how many pixels, their bounding box, and the
// expected and seen colour of the first one.
std::string Image_differences(const Image& expected, const Image& seen, int max_lines = 24);
