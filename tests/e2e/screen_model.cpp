// Expected pictures, picture file texts, and differences told by place.
#include "screen_model.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

struct Place_differences {
    int count = 0;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int first_x = 0, first_y = 0;
    Rgb8 expected{}, seen{};
};

}  // namespace

std::string Rgb_text(Rgb8 c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

Rgb8 Tint_drawn(Tint c)
{
    return Rgb8{static_cast<std::uint8_t>(c.r & 0xff), static_cast<std::uint8_t>(c.g & 0xff),
                static_cast<std::uint8_t>(c.b & 0xff)};
}

Tint& Screen_model_square(Screen_model& model, int i, int j)
{
    return model.squares[static_cast<std::size_t>(i * model_count + j)];
}

Screen_model Screen_model_create(const std::array<Tint, 8>& palette)
{
    Screen_model model;
    model.palette = palette;
    model.current = palette[0];
    for (int i = 0; i < model_count; ++i)
        for (int j = 0; j < model_count; ++j) {
            const bool ring = i == 0 || j == 0 || i == model_count - 1 || j == model_count - 1;
            Screen_model_square(model, i, j) = ring ? tint_outline : tint_default;
        }
    return model;
}

void Screen_model_outline(Screen_model& model, const std::vector<std::string>& grid)
{
    for (std::size_t r = 0; r < grid.size(); ++r)
        for (std::size_t k = 0; k < grid[r].size(); ++k) {
            const char c = grid[r][k];
            if (c != ' ' && c != 'x' ) {
                std::fprintf(stderr, "screen_model: grid line %zu holds '%c'; only ' ' and 'x' are modelled\n", r, c);
                std::abort();
            }
            const int i = static_cast<int>(k) + 1;
            const int j = static_cast<int>(r) + 1;
            if (c == 'x' && i < model_count && j < model_count)
                Screen_model_square(model, i, j) = tint_outline;
        }
}

int Screen_model_fill(Screen_model& model, int i, int j)
{
    int painted = 0;
    std::vector<std::pair<int, int>> open{{i, j}};
    while (!open.empty()) {
        const auto [a, b] = open.back();
        open.pop_back();
        if (a < 0 || b < 0 || a >= model_count || b >= model_count)
            continue;
        Tint& s = Screen_model_square(model, a, b);
        if (s == tint_outline || s == model.current)
            continue;
        s = model.current;
        ++painted;
        open.insert(open.end(), {{a - 1, b}, {a + 1, b}, {a, b - 1}, {a, b + 1}});
    }
    return painted;
}

Image Screen_model_draw(const Screen_model& model)
{
    Image image;
    image.width = model_width;
    image.height = model_height;
    image.rgb.assign(static_cast<std::size_t>(model_width) * model_height * 3, 0);
    for (int k = 0; k < 8; ++k) {
        const int x = k * model_strip;
        const int inset = model.palette[static_cast<std::size_t>(k)] == model.current ? 10 : 5;
        Image_box(image, x, 0, x + model_strip, model_strip, frame_grey);
        Image_box(image, x + inset, inset, x + model_strip - inset, model_strip - inset,
                  Tint_drawn(model.palette[static_cast<std::size_t>(k)]));
    }
    for (int i = 0; i < model_count; ++i)
        for (int j = 0; j < model_count; ++j) {
            const int x = i * model_square;
            const int y = model_strip + j * model_square;
            Image_box(image, x + 1, y + 1, x + model_square - 1, y + model_square - 1,
                      Tint_drawn(model.squares[static_cast<std::size_t>(i * model_count + j)]));
        }
    return image;
}

std::string Picture_text(const std::array<Tint, 8>& palette, const std::vector<std::string>& grid,
                         const std::string& separator)
{
    std::string text;
    for (const Tint& c : palette)
        text += std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "\n";
    text += separator + "\n";
    for (const std::string& line : grid)
        text += line + "\n";
    return text;
}

std::string Text_dos(const std::string& text, const std::string& tail_after_ctrl_z)
{
    std::string dos;
    for (const char c : text) {
        if (c == '\n')
            dos += '\r';
        dos += c;
    }
    return dos + '\x1a' + tail_after_ctrl_z;
}

std::string Pixel_place(int x, int y)
{
    if (y <= model_strip) {
        const int k = std::min(x / model_strip, 7);
        const int lx = x - k * model_strip;
        const int edge = std::min({lx, y, model_strip - lx, model_strip - y});
        const char* part = edge < 5 ? "frame (inset 0..4)" : edge < 10 ? "ring between inset 5 and 10" : "swatch middle";
        return "toolbar item " + std::to_string(k) + " " + part;
    }
    if (x % model_square == 0)
        return "grid line x = " + std::to_string(x);
    if ((y - model_strip) % model_square == 0)
        return "grid line y = " + std::to_string(y);
    return "square (" + std::to_string(x / model_square) + ", " + std::to_string((y - model_strip) / model_square) + ")";
}

std::string Image_differences(const Image& expected, const Image& seen, int max_lines)
{
    if (expected.width != seen.width || expected.height != seen.height)
        return "size differs: expected " + std::to_string(expected.width) + " x " + std::to_string(expected.height) +
               ", seen " + std::to_string(seen.width) + " x " + std::to_string(seen.height) + "\n";
    std::map<std::string, Place_differences> places;
    std::vector<std::string> order;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const Rgb8 want = Image_at(expected, x, y);
            const Rgb8 got = Image_at(seen, x, y);
            if (want == got)
                continue;
            const std::string place = Pixel_place(x, y);
            auto [it, fresh] = places.try_emplace(place);
            Place_differences& d = it->second;
            if (fresh) {
                order.push_back(place);
                d = Place_differences{0, x, y, x, y, x, y, want, got};
            }
            ++d.count;
            d.x0 = std::min(d.x0, x);
            d.y0 = std::min(d.y0, y);
            d.x1 = std::max(d.x1, x);
            d.y1 = std::max(d.y1, y);
        }
    std::string text;
    int lines = 0;
    for (const std::string& place : order) {
        if (lines++ == max_lines) {
            text += "... and " + std::to_string(order.size() - static_cast<std::size_t>(max_lines)) + " more places\n";
            break;
        }
        const Place_differences& d = places[place];
        text += place + ": " + std::to_string(d.count) + " pixels differ in (" + std::to_string(d.x0) + ", " +
                std::to_string(d.y0) + ")-(" + std::to_string(d.x1) + ", " + std::to_string(d.y1) + "); at (" +
                std::to_string(d.first_x) + ", " + std::to_string(d.first_y) + ") expected " + Rgb_text(d.expected) +
                ", seen " + Rgb_text(d.seen) + "\n";
    }
    return text;
}
