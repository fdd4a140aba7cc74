// The region fill: which squares it paints, in which order, and that each
// recoloured square is shown by a redraw and a flip of its own.
#include <array>
#include <numeric>
#include <utility>
#include <vector>
#include "board/geometry.h"
#include "board/square.h"
#include "fill/region_fill.h"
#include "fill/square_colour.h"
#include "board_fixture.h"
#include "surface_fixture.h"
#include "four_rooms.h"

namespace {

constexpr Colour red{230, 40, 40};
constexpr Colour blue{30, 60, 220};

// The squares a fill paints, in order, without drawing anything.
std::vector<std::pair<int, int>> Fill_order(Board& squares, int i, int j, Colour mousecolour)
{
    Board before = squares;
    std::vector<std::pair<int, int>> order;
    Region_fill(i, j, squarecount, squares, bordercolour, mousecolour, [&] {
        for (int a = 0; a < squarecount; ++a)
            for (int b = 0; b < squarecount; ++b)
                if (!Colour_cmp(At(before, a, b).c, At(squares, a, b).c)) {
                    order.emplace_back(a, b);
                    At(before, a, b).c = At(squares, a, b).c;
                }
    });
    return order;
}

int Count(Board& squares, Colour c)
{
    int n = 0;
    for (const Square& s : squares)
        n += Colour_cmp(s.c, c);
    return n;
}

TEST(RegionFill, SnakesRowByRowFromTheTopLeftCorner)
{
    Board squares = Board_built();
    const auto order = Fill_order(squares, 1, 1, red);
    ASSERT_EQ(order.size(), 1444u);
    std::vector<std::pair<int, int>> snake;
    for (int j = 1; j <= 38; ++j)
        for (int k = 0; k < 38; ++k)
            snake.emplace_back(j % 2 ? 1 + k : 38 - k, j);
    EXPECT_EQ(order, snake);
    EXPECT_EQ(Count(squares, bordercolour), 156);
}

TEST(RegionFill, ADiagonalOutlineTouchingAtCornersIsClosed)
{
    Board squares = Board_built();
    for (int k = 1; k <= 38; ++k)
        At(squares, k, k).c = bordercolour;
    const auto order = Fill_order(squares, 1, 5, red);
    EXPECT_EQ(order.size(), 703u);
    for (auto [i, j] : order)
        EXPECT_LT(i, j) << "painted " << i << "," << j << " across the diagonal";
}

// From the middle of the board, so that every one of the four neighbours is
// open at the start (from the top left corner, 8 of the 24 orders of the
// neighbours draw the same snake). Only a cross of squares is open: arms of
// different lengths, the left one ending in a bar across it, so up before
// down is decided again inside a branch.
TEST(RegionFill, TakesUpLeftRightUpDownInTurnFromTheMiddle)
{
    using Order = std::vector<std::pair<int, int>>;
    const Order left_right_up_down = {
        {20, 20},
        {19, 20}, {18, 20}, {17, 20}, {17, 19}, {17, 21},   // the left arm, its bar's upper end first
        {21, 20}, {22, 20},                                 // the right arm
        {20, 19}, {20, 18}, {20, 17},                       // the upper arm
        {20, 21}, {20, 22},                                 // the lower arm
    };
    Board squares = Board_built();
    for (Square& s : squares)
        s.c = bordercolour;
    for (auto [i, j] : left_right_up_down)
        At(squares, i, j).c = defaultcolour;
    EXPECT_EQ(Fill_order(squares, 20, 20, red), left_right_up_down);
}

// The whole room behind the left neighbour is filled before the first square
// behind the right one, and so on: the order of the branches over hundreds
// of squares, not only the first step.
TEST(RegionFill, FillsTheRoomsBehindLeftRightUpDownOneAfterAnother)
{
    Board squares = Board_built();
    for (int k = 1; k <= 38; ++k) {
        At(squares, k, k).c = bordercolour;
        if (k != 20)
            At(squares, k, 40 - k).c = bordercolour;
    }
    At(squares, 20, 20).c = defaultcolour;
    const auto order = Fill_order(squares, 20, 20, red);
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), (std::pair{20, 20}));
    std::vector<Room> rooms, expected;
    for (std::size_t k = 1; k < order.size(); ++k)
        rooms.push_back(Room_of(order[k].first, order[k].second));
    for (auto [room, size] : {std::pair{room_left, 361}, {room_right, 324}, {room_up, 361}, {room_down, 324}})
        expected.insert(expected.end(), static_cast<std::size_t>(size), room);
    EXPECT_EQ(rooms, expected) << "rooms 0 left, 1 right, 2 up, 3 down, 4 none";
}

TEST(RegionFill, SquaresOfTheCurrentColourAreAWall)
{
    Board squares = Board_built();
    for (int i = 1; i <= 38; ++i)
        At(squares, i, 20).c = red;
    Fill_order(squares, 5, 5, red);
    EXPECT_EQ(Count(squares, red), 38 * 20);   // rows 1..19 and the wall itself
    EXPECT_EQ(Colour_cmp(At(squares, 5, 21).c, defaultcolour), 1);
}

TEST(RegionFill, RepaintsARegionOfMixedColoursWhole)
{
    Board squares = Board_built();
    for (int j = 1; j <= 38; ++j)
        At(squares, 10, j).c = bordercolour;   // region: columns 1..9
    At(squares, 3, 3).c = blue;
    At(squares, 4, 30).c = Colour{1, 2, 3};
    const auto order = Fill_order(squares, 8, 8, red);
    EXPECT_EQ(order.size(), 9u * 38u);
    EXPECT_EQ(Count(squares, red), 9 * 38);
    EXPECT_EQ(Colour_cmp(At(squares, 11, 5).c, defaultcolour), 1);
}

TEST(RegionFill, NothingToDoWhereTheStartIsAnOutlineOrAlreadyTheColour)
{
    Board squares = Board_built();
    EXPECT_TRUE(Fill_order(squares, 0, 0, red).empty());
    EXPECT_TRUE(Fill_order(squares, 5, 5, defaultcolour).empty());
    EXPECT_EQ(Fill_order(squares, 5, 5, red).size(), 1444u);
    EXPECT_TRUE(Fill_order(squares, 30, 30, red).empty()) << "a second fill with the same colour";
}

TEST(RegionFill, TheOutlineColourMakesNewOutlines)
{
    Board squares = Board_built();
    for (int i = 1; i <= 38; ++i)
        At(squares, i, 10).c = bordercolour;
    At(squares, 7, 4).c = blue;
    EXPECT_EQ(Fill_order(squares, 5, 5, bordercolour).size(), 38u * 9u);
    EXPECT_EQ(Count(squares, bordercolour), 156 + 38 * 10);
    EXPECT_TRUE(Fill_order(squares, 7, 4, red).empty()) << "the region became outline squares";
    EXPECT_EQ(Fill_order(squares, 5, 12, red).size(), 38u * 28u);
}

TEST(RegionFill, StaysOnABoardWhoseRingIsMissing)
{
    // The running program always has its ring; a board handed in without one
    // must still not be left, whichever edge the fill reaches first.
    Board squares{};
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j)
            At(squares, i, j) = Square_create(i, j, squaresize, menustrip, defaultcolour);
    bool use_red = true;
    for (auto [i, j] : {std::pair{0, 0}, {39, 39}, {0, 39}, {20, 0}}) {
        EXPECT_EQ(Fill_order(squares, i, j, use_red ? red : blue).size(), 1600u) << "from " << i << "," << j;
        use_red = !use_red;
    }
    EXPECT_TRUE(Fill_order(squares, -1, 5, red).empty());
    EXPECT_TRUE(Fill_order(squares, 40, 5, red).empty());
}

using SquareColour = Screen_test;

// The step the fill runs after each square: notes how many flips came
// before it.
std::vector<int> step_after_flips;
void Step_note()
{
    step_after_flips.push_back(flip_count);
}

// What the user sees: after every flip exactly one more square shows the new
// colour, in the fill's order, and the toolbar strip is never drawn. The
// caller's step runs once per square, after that square's flip.
TEST_F(SquareColour, ShowsEachRecolouredSquareWithAFlipOfItsOwn)
{
    Board squares = Board_built();
    for (int k = 1; k <= 38; ++k)
        At(squares, k, k).c = bordercolour;
    Squares_draw(screen, squarecount, squares, squaresize);
    Board expected = squares;
    const auto order = Fill_order(expected, 1, 5, red);

    const Rgb shown{230, 40, 40};
    int seen = 0;
    flip_watch = [&](SDL_Surface* s) {
        ASSERT_LT(seen, static_cast<int>(order.size()));
        const auto [i, j] = order[static_cast<std::size_t>(seen)];
        EXPECT_EQ(Pixel_at(s, 20 * i + 10, 100 + 20 * j + 10), shown) << "flip " << seen << ": square " << i << "," << j;
        if (seen + 1 < static_cast<int>(order.size())) {
            const auto [ni, nj] = order[static_cast<std::size_t>(seen) + 1];
            EXPECT_NE(Pixel_at(s, 20 * ni + 10, 100 + 20 * nj + 10), shown) << "flip " << seen << " shows a later square";
        }
        ++seen;
    };
    step_after_flips.clear();
    Square_colour(screen, 1, 5, squarecount, squares, bordercolour, red, Step_note);
    EXPECT_EQ(flip_count, 703);
    std::vector<int> one_per_flip(703);
    std::iota(one_per_flip.begin(), one_per_flip.end(), 1);
    EXPECT_EQ(step_after_flips, one_per_flip);
    EXPECT_EQ(Pixel_at(screen, 50, 50), (Rgb{0, 0, 0})) << "the fill drew the toolbar";
    for (std::size_t k = 0; k < squares.size(); ++k)
        ASSERT_EQ(Colour_cmp(squares[k].c, expected[k].c), 1) << "square " << k / squarecount << "," << k % squarecount;
}

TEST_F(SquareColour, FlipsOncePerSquareOfAnEmptyInteriorAndNeverWhenNothingChanges)
{
    Board squares = Board_built();
    Square_colour(screen, 1, 1, squarecount, squares, bordercolour, red, Step_note);
    EXPECT_EQ(flip_count, 1444);
    EXPECT_EQ(Pixel_at(screen, 20 * 38 + 10, 100 + 20 * 38 + 10), (Rgb{230, 40, 40}));

    flip_count = 0;
    Square_colour(screen, 20, 21, squarecount, squares, bordercolour, red, Step_note);
    Square_colour(screen, 0, 7, squarecount, squares, bordercolour, blue, Step_note);
    EXPECT_EQ(flip_count, 0);
}

}  // namespace
