// Pointer input: the hit test's boundaries and trace, and what a press on
// the toolbar or the board does to the screen.
#include <array>
#include <cstdio>
#include <string>
#include "board/geometry.h"
#include "board/square.h"
#include "board/toolbar.h"
#include "main/pointer_input.h"
#include "surface_fixture.h"

namespace {

std::string Stdout_captured()
{
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}

TEST(MouseDetect, TellsTheToolbarStripFromTheBoard)
{
    struct Case {
        int x, y;
        int board, i, j;
        const char* trace;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, ""},
        {0, 100, 0, 0, 1, ""},   // the row y = 100 belongs to the toolbar
        {0, 101, 1, 0, 0, "0, 101"},
        {250, 50, 0, 2, 0, ""},
        {799, 99, 0, 7, 0, ""},
        {410, 530, 1, 20, 21, "410, 530"},
        {799, 899, 1, 39, 39, "799, 899"},
        {19, 119, 1, 0, 0, "19, 119"},
        {20, 120, 1, 1, 1, "20, 120"},
    };
    for (const Case& c : cases) {
        int i = -1, j = -1;
        ::testing::internal::CaptureStdout();
        const int board = mouse_detect(c.x, c.y, menustrip, squaresize, i, j);
        EXPECT_EQ(Stdout_captured(), c.trace) << c.x << "," << c.y;
        EXPECT_EQ(board, c.board) << c.x << "," << c.y;
        EXPECT_EQ(i, c.i) << c.x << "," << c.y;
        EXPECT_EQ(j, c.j) << c.x << "," << c.y;
    }
}

class PointerPress : public Screen_test {
protected:
    void SetUp() override
    {
        Screen_test::SetUp();
        Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
        for (int j = 1; j <= 38; ++j)
            squares[10 * squarecount + j].c = bordercolour;   // regions: columns 1..9 and 11..38
        Toolbar_create(colourcount, toolbar, colours, menustrip);
        mousecolour = toolbar[0].c;
        Toolbar_draw(screen, colourcount, toolbar, menustrip, mousecolour);
        Squares_draw(screen, squarecount, squares, squaresize);
        flip_count = 0;
    }
    void Press(int x, int y) { Pointer_press(screen, x, y, squares, toolbar, mousecolour, i, j); }

    std::array<Square, squarecount * squarecount> squares{};
    std::array<Colour, colourcount> colours{
        {{255, 0, 0}, {0, 160, 0}, {0, 0, 255}, {250, 200, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}}};
    std::array<Toolbaritem, colourcount> toolbar{};
    Colour mousecolour{};
    int i = 0, j = 0;
};

TEST_F(PointerPress, OnASwatchChoosesItsColourAndRedrawsOnlyTheToolbar)
{
    SDL_FillRect(screen, nullptr, 0);   // so a board redraw would show
    ::testing::internal::CaptureStdout();
    Press(250, 50);
    EXPECT_EQ(Stdout_captured(), "");
    EXPECT_EQ(Colour_cmp(mousecolour, colours[2]), 1);
    EXPECT_EQ(flip_count, 1);
    EXPECT_EQ(Pixel_at(screen, 210, 50), (Rgb{0, 0, 255})) << "item 2 is framed with the inset of 10";
    EXPECT_EQ(Pixel_at(screen, 209, 50), (Rgb{50, 50, 50}));
    EXPECT_EQ(Pixel_at(screen, 5, 50), (Rgb{255, 0, 0})) << "item 0 is no longer framed";
    EXPECT_EQ(Pixel_at(screen, 30, 130), (Rgb{0, 0, 0})) << "the board was redrawn";

    Press(0, 100);   // the row y = 100 belongs to the toolbar
    EXPECT_EQ(Colour_cmp(mousecolour, colours[0]), 1);
    EXPECT_EQ(Pixel_at(screen, 5, 50), (Rgb{50, 50, 50}));
}

TEST_F(PointerPress, OnTheBoardFillsTheRegionAndLeavesATrace)
{
    ::testing::internal::CaptureStdout();
    Press(250, 50);       // blue
    Press(410, 530);      // square (20, 21): the right-hand region
    Press(0, 101);        // a ring square: traced, nothing changes
    EXPECT_EQ(Stdout_captured(), "410, 5300, 101");
    EXPECT_EQ(flip_count, 1 + 28 * 38);
    EXPECT_EQ(Pixel_at(screen, 20 * 11 + 5, 100 + 20 * 1 + 5), (Rgb{0, 0, 255}));
    EXPECT_EQ(Pixel_at(screen, 20 * 38 + 5, 100 + 20 * 38 + 5), (Rgb{0, 0, 255}));
    EXPECT_EQ(Pixel_at(screen, 20 * 9 + 5, 100 + 20 * 5 + 5), (Rgb{200, 200, 200}));
    EXPECT_EQ(Pixel_at(screen, 20 * 10 + 5, 100 + 20 * 5 + 5), (Rgb{20, 20, 20}));
}

TEST_F(PointerPress, OutsideTheWindowIsIgnored)
{
    ::testing::internal::CaptureStdout();
    for (auto [x, y] : {std::pair{800, 500}, {500, 900}, {65535, 65535}, {-1, 50}})
        Press(x, y);
    EXPECT_EQ(Stdout_captured(), "");
    EXPECT_EQ(flip_count, 0);
    EXPECT_EQ(Colour_cmp(mousecolour, colours[0]), 1);
}

}  // namespace
