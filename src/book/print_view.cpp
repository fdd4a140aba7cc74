// The squares a colouring file tells apart are exactly the ones a printed
// page shows differently, so the file's own reading of a board decides.
#include "book/print_view.h"
#include "board/geometry.h"
#include "colouring/colouring_format.h"

void Squares_for_print(std::span<Square> squares, std::span<const Colour> colours)
{
    const Colouring now = Colouring_take(0, squares, colours, colours[0]);
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j) {
            Square& square = squares[static_cast<std::size_t>(i) * squarecount + j];
            const bool ring = i == 0 || j == 0 || i == squarecount - 1 || j == squarecount - 1;
            const char cell = ring ? 'x' : now.cells[static_cast<std::size_t>(j - 1) * colouring_side + (i - 1)];
            if (cell == 'x')
                square.c = print_outline;
            else if (cell == '.')
                square.c = print_blank;
        }
}
