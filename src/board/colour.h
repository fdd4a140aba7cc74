// Colours as the picture file gives them: three signed 16-bit components.
// Two colours are equal only when all three full values are; drawing uses
// each component's low byte (see Square_draw), so 256 shows as 0.
#pragma once
#include <cstdint>

struct Colour {
    std::int16_t r;
    std::int16_t g;
    std::int16_t b;
};

// 1 when r, g and b are all equal, else 0.
int Colour_cmp(Colour x, Colour y);
