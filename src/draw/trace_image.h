// A line drawing to trace: a PNG read with libpng, reduced to grey, shown
// faintly under the board scaled to it (its shape kept, centred), and asked
// which squares it covers mostly in dark, to propose them as outline.
// Plain logic, no window.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "draw/drawing.h"

struct Trace_image {
    int width = 0, height = 0;
    std::vector<std::uint8_t> grey;   // row by row, 0 black to 255 white
};

// Reads the PNG at `path` (UTF-8). Empty image, with `why` set, when it cannot.
Trace_image Trace_image_load(const std::string& path, std::string& why);
// The image's grey at board pixel (x, y), 0 <= x, y < WIDTH, counted from
// the board's top left corner; white outside the image.
std::uint8_t Trace_grey_at(const Trace_image& image, int x, int y);
// The share of square (i, j)'s pixels that are dark (grey below 128).
double Trace_dark_share(const Trace_image& image, int i, int j);
// Makes outline every square inside the ring that the image covers mostly
// in dark (more than half its pixels), as one edit.
Edit Trace_outline_propose(Drawing& drawing, const Trace_image& image);
