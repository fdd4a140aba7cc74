// The order in which a fill recolours a region, without any drawing, so it
// can be run and watched without a window. Square_colour draws through it.
//
// A fill is depth first: recolour a square, then take up its left, right,
// upper and lower neighbours in turn, each to completion before the next.
// Each square is tested when it is taken up, not when it is noted, so a
// square painted by an earlier branch stops a later one. The path is kept
// on an explicit stack (at most one entry per recoloured square) rather than
// on the call stack, and that stack is reserved once per fill.
#pragma once
#include <span>
#include <vector>
#include "board/colour.h"
#include "board/square.h"

template <class Painted>
void Region_fill(int i, int j, int squarecount, std::span<Square> squares, Colour bordercolour, Colour mousecolour,
                 Painted&& painted)
{
    struct Step {
        int i, j;
        int next;   // the neighbour to take up next: 0 left, 1 right, 2 up, 3 down, 4 done
    };
    constexpr int di[4] = {-1, 1, 0, 0};
    constexpr int dj[4] = {0, 0, -1, 1};
    std::vector<Step> path;

    auto take_up = [&](int ti, int tj) {
        // The outline ring stops every fill at the board's edge; a board
        // handed in without its ring must not let the fill walk off it.
        if (ti < 0 || tj < 0 || ti >= squarecount || tj >= squarecount)
            return;
        Square& s = squares[static_cast<std::size_t>(ti * squarecount + tj)];
        if (Colour_cmp(bordercolour, s.c))
            return;
        if (Colour_cmp(mousecolour, s.c))
            return;
        s.c = mousecolour;
        painted();
        path.push_back(Step{ti, tj, 0});
    };

    if (squares.size() < static_cast<std::size_t>(squarecount) * static_cast<std::size_t>(squarecount))
        return;
    // Room for every square of the board, so the steps never reallocate.
    path.reserve(static_cast<std::size_t>(squarecount) * static_cast<std::size_t>(squarecount));
    take_up(i, j);
    while (!path.empty()) {
        Step& top = path.back();
        if (top.next == 4) {
            path.pop_back();
            continue;
        }
        const int n = top.next++;
        take_up(top.i + di[n], top.j + dj[n]);
    }
}
