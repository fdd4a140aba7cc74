// The picture the load tests colour: one open region of 1140 squares in
// board rows 1-30 (a fill long enough for input to queue behind it), and
// below it, in rows 32, 34, 36 and 38, single squares at the even columns,
// each walled in by outlines, so a press there repaints exactly one square.
#pragma once
#include <array>
#include <string>
#include <vector>
#include "e2e_fixture.h"

// No colour of it is the outline or the untouched grey: every swatch paints.
constexpr std::array<Tint, 8> load_palette{{{230, 57, 70},
                                            {255, 183, 3},
                                            {33, 158, 188},
                                            {106, 176, 76},
                                            {244, 162, 97},
                                            {142, 90, 60},
                                            {90, 60, 200},
                                            {250, 250, 250}}};
constexpr int load_region_rows = 30;

inline std::string Load_picture(const std::string& title)
{
    std::string alternate;
    for (int i = 1; i <= 38; ++i)
        alternate += i % 2 ? 'x' : ' ';
    std::vector<std::string> grid;
    for (int j = 1; j <= 38; ++j)
        grid.push_back(j <= load_region_rows ? "" : j % 2 ? std::string(38, 'x') : alternate);
    return Picture_text(load_palette, grid, title);
}
