// Finding the regions of a board: a flood over edge neighbours from each
// square not yet taken, in reading order, so region numbers and first
// squares follow the picture from the top left.
#include "check/regions.h"
#include <utility>

Region_map Regions_find(int squarecount, std::span<const Square> squares, Colour bordercolour)
{
    const auto at = [squarecount](int i, int j) { return static_cast<std::size_t>(i * squarecount + j); };
    Region_map map;
    map.of.assign(squares.size(), -1);
    std::vector<bool> seen(squares.size(), false);
    for (std::size_t k = 0; k < squares.size(); ++k)
        seen[k] = Colour_cmp(squares[k].c, bordercolour) == 1;
    std::vector<std::pair<int, int>> stack;
    for (int j = 0; j < squarecount; ++j)
        for (int i = 0; i < squarecount; ++i) {
            if (seen[at(i, j)])
                continue;
            const int number = static_cast<int>(map.regions.size());
            Region region{0, i, j};
            seen[at(i, j)] = true;
            stack.push_back({i, j});
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                map.of[at(x, y)] = number;
                ++region.size;
                for (const auto& [nx, ny] : {std::pair{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}}) {
                    // The ring is outline on a built board; a board without
                    // one must still not be left.
                    if (nx < 0 || ny < 0 || nx >= squarecount || ny >= squarecount || seen[at(nx, ny)])
                        continue;
                    seen[at(nx, ny)] = true;
                    stack.push_back({nx, ny});
                }
            }
            map.regions.push_back(region);
        }
    return map;
}
