// The Windows build under Wine (scripts/bench passes the folder that
// scripts/build-windows filled). No preload can time a Windows program's
// flips, so the fill's end is seen on the screen: the square the fill
// recolours last is polled until it shows the colour. The floor is
// flip_floor.exe, which times itself, in the same window under Wine.
#pragma once
#include <cstdint>
#include <string>
#include <X11/Xlib.h>

struct Wine_result {
    bool ok = false;
    std::int64_t fill_ns = 0;
    std::int64_t demanded_ns = 0, least_ns = 0, flip_ns = 0;
};

Wine_result Wine_measure(Display* display, const std::string& dir);

// The Windows program, its floor and their DLLs, linked into the picture
// folder under the names they run by there; and taken away again.
bool Wine_dir_fill(const std::string& dir, const std::string& windows);
void Wine_dir_empty(const std::string& dir);
