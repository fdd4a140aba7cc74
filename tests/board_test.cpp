// The records, building the board, and what drawing puts on the screen.
#include <array>
#include <vector>
#include "board/geometry.h"
#include "board/square.h"
#include "board/toolbar.h"
#include "board_fixture.h"
#include "surface_fixture.h"

namespace {

Rgb Rgb_drawn(Colour c)
{
    return Rgb{static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g), static_cast<std::uint8_t>(c.b)};
}

TEST(Colour, ComparesFullSixteenBitValues)
{
    struct Case {
        Colour x, y;
        int equal;
    };
    const Case cases[] = {
        {{1, 2, 3}, {1, 2, 3}, 1},
        {{1, 2, 3}, {1, 2, 4}, 0},
        {{1, 2, 3}, {0, 2, 3}, 0},
        {{1, 2, 3}, {1, 0, 3}, 0},
        {{300, -1, 0}, {44, 255, 0}, 0},   // the same on screen, not the same colour
        {{-1, -1, -1}, {-1, -1, -1}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Colour_cmp(c.x, c.y), c.equal) << c.x.r << "," << c.x.g << "," << c.x.b;
}

TEST(Square, IsPlacedByItsIndices)
{
    const Colour c{1, 2, 3};
    const Square first = Square_create(0, 0, 20, 100, c);
    const Square last = Square_create(39, 39, 20, 100, c);
    EXPECT_EQ(first.x, 0);
    EXPECT_EQ(first.y, 100);
    EXPECT_EQ(last.x, 780);
    EXPECT_EQ(last.y, 880);
    EXPECT_EQ(Colour_cmp(last.c, c), 1);
    const Toolbaritem item = Toolbaritem_create(7, c, 100);
    EXPECT_EQ(item.x, 700);
    EXPECT_EQ(item.y, 0);
}

TEST(Board, IsBuiltWithAnOutlineRingAroundADefaultInterior)
{
    const Board squares = Board_built();
    int ring = 0, interior = 0;
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j) {
            const Square& s = squares[i * squarecount + j];
            EXPECT_EQ(s.x, i * 20);
            EXPECT_EQ(s.y, 100 + j * 20);
            const bool on_ring = i == 0 || j == 0 || i == squarecount - 1 || j == squarecount - 1;
            if (on_ring && Colour_cmp(s.c, bordercolour))
                ++ring;
            if (!on_ring && Colour_cmp(s.c, defaultcolour))
                ++interior;
        }
    EXPECT_EQ(ring, 156);
    EXPECT_EQ(interior, 1444);
}

using Drawing = Screen_test;

TEST_F(Drawing, SquaresPaintTheirCellsLessAOnePixelGrid)
{
    Board squares = Board_built();
    squares[5 * squarecount + 7].c = Colour{300, -1, 0};   // drawn by the low bytes
    Squares_draw(screen, squarecount, squares, squaresize);

    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j) {
            const Rgb want = Rgb_drawn(squares[i * squarecount + j].c);
            const int x0 = 20 * i, y0 = 100 + 20 * j;
            // Corners and centre of the painted 19 x 19, and the grid lines around it.
            for (auto [dx, dy] : {std::pair{1, 1}, {19, 1}, {1, 19}, {19, 19}, {10, 10}})
                ASSERT_EQ(Pixel_at(screen, x0 + dx, y0 + dy), want) << "square " << i << "," << j;
            ASSERT_EQ(Pixel_at(screen, x0, y0 + 10), (Rgb{0, 0, 0})) << "grid left of " << i << "," << j;
            ASSERT_EQ(Pixel_at(screen, x0 + 10, y0), (Rgb{0, 0, 0})) << "grid above " << i << "," << j;
        }
    EXPECT_EQ(Pixel_at(screen, 5 * 20 + 10, 100 + 7 * 20 + 10), (Rgb{44, 255, 0}));
    EXPECT_EQ(Pixel_at(screen, 10, 99), (Rgb{0, 0, 0})) << "squares must not paint the toolbar strip";
}

TEST_F(Drawing, ToolbarFramesTheCurrentColourMoreWidely)
{
    std::array<Colour, colourcount> colours{{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 255, 0},
                                             {300, -1, 0}, {9, 9, 9}, {200, 100, 0}, {1, 2, 3}}};
    std::array<Toolbaritem, colourcount> toolbar{};
    Toolbar_create(colourcount, toolbar, colours, menustrip);
    const Colour current{0, 255, 0};   // items 1 and 3 share it: both are framed
    Toolbar_draw(screen, colourcount, toolbar, menustrip, current);

    const Rgb grey{50, 50, 50};
    for (int k = 0; k < colourcount; ++k) {
        const int inset = (k == 1 || k == 3) ? 10 : 5;
        const Rgb swatch = Rgb_drawn(colours[k]);
        const int x0 = 100 * k;
        SCOPED_TRACE("item " + std::to_string(k));
        EXPECT_EQ(Pixel_at(screen, x0 + inset, inset), swatch);
        EXPECT_EQ(Pixel_at(screen, x0 + 100 - inset, 100 - inset), swatch);
        EXPECT_EQ(Pixel_at(screen, x0 + inset - 1, 50), grey);
        EXPECT_EQ(Pixel_at(screen, x0 + 50, 100 - inset + 1), grey);
        EXPECT_EQ(Pixel_at(screen, x0, 0), grey);
        EXPECT_EQ(Pixel_at(screen, x0 + 50, 100), grey) << "the frame's bottom row lies on the board's top grid line";
    }
    EXPECT_EQ(Pixel_at(screen, 799, 50), grey);
    EXPECT_EQ(Pixel_at(screen, 50, 101), (Rgb{0, 0, 0})) << "the toolbar must not paint the board";
}

}  // namespace
