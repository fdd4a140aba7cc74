// The regions of a picture as the fill sees them: groups of non-outline
// squares joined through shared edges (never corners), bounded by outline
// squares and the ring. The checker and the picture library's test count
// them here.
#pragma once
#include <span>
#include <vector>
#include "board/colour.h"
#include "board/square.h"

struct Region {
    int size;   // squares
    int i;      // its first square, top row first, then leftmost: column
    int j;      // and row
};

struct Region_map {
    std::vector<int> of;            // per square (i * squarecount + j): its region, -1 for outline
    std::vector<Region> regions;    // in the order of their first squares
};

Region_map Regions_find(int squarecount, std::span<const Square> squares, Colour bordercolour);
