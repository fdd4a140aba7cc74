// The measurements of the Linux program in a real window: a whole-interior
// fill from a real click, the floors flip_floor times in the same window,
// and start-up; and the picture folder they run in.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include <X11/Xlib.h>
#include "window_bench_process.h"

constexpr int interior_squares = 1444;   // an empty 38 x 38 interior
constexpr int click_x = 410;             // square (20, 21), inside the interior
constexpr int click_y = 530;

struct Fill_result {
    bool ok = false;
    std::int64_t fill_ns = 0;           // click to the last square's flip
    std::vector<double> steps_ms;       // from each square's flip to the next
    int squares = 0;                    // flips after the click
    long peak_kb = 0;
};

// Runs the program on the empty picture, clicks the interior once, and
// times the fill from the click to its last flip; then quits with Escape.
Fill_result Fill_measure(Display* display, const std::string& build, const std::string& dir,
                         const std::string& shim, const Implementation& implementation);

struct Floor_result {
    bool ok = false;
    std::int64_t demanded_ns = 0, least_ns = 0, flip_ns = 0;
    std::vector<double> demanded_steps_ms, least_steps_ms, flip_steps_ms;   // flip to flip
};

// flip_floor in the same window: 1444 whole-board redraws with a flip each,
// 1444 of the least redraw with a flip, 1444 flips alone.
Floor_result Floor_measure(const std::string& build, const std::string& dir, const std::string& shim,
                           const Implementation& implementation);

struct Startup_result {
    bool ok = false;
    std::int64_t first_picture_ns = 0;   // exec to the first flip's return
    long peak_kb = 0;
};

// Start-up of a program that shows its first picture and then either waits
// (the real one, asked to quit with SIGTERM once timed) or quits by itself
// (the empty one).
Startup_result Startup_measure(const std::string& program, const std::string& name, const std::string& dir,
                               const std::string& shim, const Implementation& implementation, bool quits_itself);

// A picture whose interior holds no outline at all, and a name to run the
// program under so that it reads it.
std::string Picture_dir_make(const std::string& build);
void Picture_dir_remove(const std::string& dir);
