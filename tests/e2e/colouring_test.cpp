// The real program in a real window, coloured in: toolbar presses move the
// selection frame, board presses fill outlined regions square by square,
// every button counts, and board presses are traced on standard output.
//
// A fill runs inside the handling of its press, so a toolbar press sent
// after it is drawn only once the fill is over: each expected picture below
// includes the selection of the press that follows a fill, and matching it
// means the fill has ended.
#include <cstdio>
#include "e2e_fixture.h"
#include "four_rooms.h"

namespace {

constexpr std::array<Tint, 8> palette{{{230, 57, 70},
                                       {255, 183, 3},
                                       {33, 158, 188},
                                       {106, 176, 76},
                                       {244, 162, 97},
                                       {142, 90, 60},
                                       {255, 183, 3},   // the same colour as item 1
                                       {300, 256, -1}}};  // drawn as 44, 0, 255

// Centre of toolbar item k and of board square (i, j), in window pixels.
struct Point {
    int x, y;
};
constexpr Point Item_at(int k) { return {100 * k + 50, 50}; }
constexpr Point Square_at(int i, int j) { return {20 * i + 10, 100 + 20 * j + 10}; }

// Two boxes above a full-width line, and below it a diagonal of outline
// squares that touch only at their corners: (c, c + 11) for c = 1 .. 27.
std::vector<std::string> Shapes_grid()
{
    std::vector<std::string> grid{
        "",
        " xxxxxxxxxx  xxxxx",
        " x        x  x   x",
        " x        x  x   x",
        " x        x  x   x",
        " x        x  xxxxx",
        " x        x",
        " x        x",
        " xxxxxxxxxx",
        "",
        std::string(38, 'x'),
    };
    for (int c = 1; c <= 27; ++c)
        grid.push_back(std::string(static_cast<std::size_t>(c - 1), ' ') + "x");
    return grid;
}

void Select(Screen_model& model, int k)
{
    model.current = model.palette[static_cast<std::size_t>(k)];
}

class Colouring : public E2e_test {
protected:
    // Starts the program on the grid and waits for its first view.
    void Open(const std::vector<std::string>& grid)
    {
        model = Screen_model_create(palette);
        Screen_model_outline(model, grid);
        ASSERT_TRUE(Start(Picture_text(palette, grid)));
        ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 20));
    }
    void Press_item(int k)
    {
        const Point p = Item_at(k);
        Click(p.x, p.y);
        Select(model, k);
    }
    void Press_square(int i, int j, int button = 1)
    {
        const Point p = Square_at(i, j);
        Click(p.x, p.y, button);
    }
    void Quit()
    {
        Key(XK_Escape);
        ASSERT_TRUE(Exit_wait(0));
    }
    Screen_model model;
};

// Each press frames the item(s) of the chosen colour and no other, wherever
// in the item it lands; the row y = 100 still belongs to the toolbar, the
// row below it to the board, where a press on the ring changes nothing.
TEST_F(Colouring, ToolbarPressMovesTheSelectionFrame)
{
    ASSERT_NO_FATAL_FAILURE(Open({}));
    struct Press {
        int x, y, item;
    };
    const Press presses[] = {{250, 50, 2}, {799, 0, 7}, {0, 100, 0}, {650, 99, 6}, {101, 1, 1}, {555, 55, 5}};
    for (const Press& p : presses) {
        Click(p.x, p.y);
        Select(model, p.item);
        ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "item-" + std::to_string(p.item)))
            << "after a press at (" << p.x << ", " << p.y << ")";
    }
    Click(0, 101);   // ring square (0, 0)
    Press_item(3);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "ring-press"));
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Program_stdout(run), "0, 101");
}

// A press fills exactly the outlined region around it, whatever colour the
// region had; a press on an outline, or on a region that already has the
// current colour, changes nothing. Squares touching only at corners close
// a region.
TEST_F(Colouring, BoardPressFillsExactlyTheOutlinedRegion)
{
    ASSERT_NO_FATAL_FAILURE(Open(Shapes_grid()));

    Press_item(2);
    Press_square(5, 5);   // inside the large box
    ASSERT_EQ(Screen_model_fill(model, 5, 5), 8 * 6);
    Press_item(3);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "large-box"));

    Press_square(1, 30);   // below the diagonal
    ASSERT_EQ(Screen_model_fill(model, 1, 30), 26 * 27 / 2);
    Press_item(4);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "below-diagonal"));

    Press_square(2, 2);     // an outline square
    Press_item(7);
    Press_square(15, 3);    // the small box, in a colour drawn by its low bytes
    ASSERT_EQ(Screen_model_fill(model, 15, 3), 3 * 3);
    Press_square(16, 5);    // the same box again, already this colour
    Press_item(3);
    Press_square(10, 8);    // the large box again, in another colour
    ASSERT_EQ(Screen_model_fill(model, 10, 8), 8 * 6);
    Press_item(0);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "repainted"));
    ASSERT_NO_FATAL_FAILURE(Quit());
}

// The spreading is visible: screenshots taken while the empty interior is
// filled from its top left square show it part done, and every one shows a
// beginning of the fill's order, a snake down the board: row 1 left to
// right, row 2 right to left, row 3 left to right, and so on.
TEST_F(Colouring, FillSpreadsVisiblyInSnakeOrder)
{
    ASSERT_NO_FATAL_FAILURE(Open({}));
    std::vector<Point> order;   // board squares (i, j) in the order they are painted
    for (int j = 1; j <= 38; ++j)
        for (int k = 0; k < 38; ++k)
            order.push_back({j % 2 ? 1 + k : 38 - k, j});

    const Rgb8 painted = Tint_drawn(palette[0]);
    Press_square(1, 1);
    int partial_views = 0;
    int last = 0;
    const double deadline = Clock_now() + 120;
    while (last < 1444 && Clock_now() < deadline) {
        const Image shot = Grab();
        ASSERT_FALSE(shot.rgb.empty()) << "the window could not be read";
        int count = 0;
        for (const Point& s : order)
            count += Image_at(shot, 20 * s.x + 10, 100 + 20 * s.y + 10) == painted;
        // The picture must be exactly the first `count` squares painted.
        Screen_model step = Screen_model_create(palette);
        for (int k = 0; k < count; ++k)
            Screen_model_square(step, order[static_cast<std::size_t>(k)].x, order[static_cast<std::size_t>(k)].y) =
                palette[0];
        const std::string differences = Image_differences(Screen_model_draw(step), shot);
        ASSERT_TRUE(differences.empty()) << "a view with " << count << " squares painted is not the first "
                                         << count << " of the fill (screenshot " << Shot_save(shot, "mid-fill")
                                         << "):\n"
                                         << differences;
        ASSERT_GE(count, last) << "squares were unpainted";
        partial_views += count > 0 && count < 1444;
        last = count;
        Sleep_for(0.01);
    }
    EXPECT_EQ(last, 1444) << "the fill did not finish in time";
    EXPECT_GT(partial_views, 0) << "no view showed the fill part done";
    RecordProperty("partial_views", partial_views);
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Program_stdout(run), "30, 130");
}

// From the middle square the fill takes up its left, right, upper and lower
// neighbours in turn, each to completion. Here each of them opens into a room
// of its own between the board's two diagonals (outlines touching only at
// corners), so every view while the fill runs must show the rooms filled one
// after another in that order: those before the one being filled complete,
// those after it untouched. Any other order of the neighbours shows a room
// out of turn for at least half of the fill.
TEST_F(Colouring, FillFromTheMiddleTakesTheRoomsLeftRightUpDownInTurn)
{
    const char* room_names[] = {"left", "right", "upper", "lower"};
    std::vector<std::string> grid;
    for (int j = 1; j <= 38; ++j) {
        std::string line;
        for (int i = 1; i <= 38; ++i)
            line += (i == j || i + j == 40) && i != 20 ? 'x' : ' ';
        grid.push_back(line);
    }
    ASSERT_NO_FATAL_FAILURE(Open(grid));
    std::array<int, 4> room_size{};
    for (int i = 1; i <= 38; ++i)
        for (int j = 1; j <= 38; ++j)
            if (Room_of(i, j) != no_room)
                ++room_size[Room_of(i, j)];
    ASSERT_EQ(room_size, (std::array<int, 4>{361, 324, 361, 324}));

    const Rgb8 painted = Tint_drawn(palette[0]);
    Press_square(20, 20);
    std::array<int, 4> views_inside{};   // views that show a room part filled
    bool all_done = false;
    const double deadline = Clock_now() + 120;
    while (!all_done && Clock_now() < deadline) {
        const Image shot = Grab();
        ASSERT_FALSE(shot.rgb.empty()) << "the window could not be read";
        Screen_model seen = model;   // the first view with every painted square added
        std::array<int, 4> count{};
        for (int i = 1; i <= 38; ++i)
            for (int j = 1; j <= 38; ++j)
                if (Image_at(shot, 20 * i + 10, 100 + 20 * j + 10) == painted) {
                    Screen_model_square(seen, i, j) = palette[0];
                    if (Room_of(i, j) != no_room)
                        ++count[Room_of(i, j)];
                }
        const std::string differences = Image_differences(Screen_model_draw(seen), shot);
        ASSERT_TRUE(differences.empty()) << "a view shows more than squares painted (screenshot "
                                         << Shot_save(shot, "mid-fill") << "):\n"
                                         << differences;
        int current = 0;   // the first room not complete
        while (current < 4 && count[current] == room_size[current])
            ++current;
        for (int later = current + 1; later < 4; ++later)
            ASSERT_EQ(count[later], 0) << "the " << room_names[later] << " room has squares painted before the "
                                       << room_names[current] << " room is complete (screenshot "
                                       << Shot_save(shot, "out-of-turn") << ")";
        if (current < 4 && count[current] > 0)
            ++views_inside[current];
        all_done = current == 4;
        Sleep_for(0.005);
    }
    ASSERT_TRUE(all_done) << "the fill did not finish in time";
    for (int room = 0; room < 4; ++room)
        RecordProperty(std::string("views_inside_") + room_names[room], views_inside[room]);
    std::printf("rooms: views while the left, right, upper, lower room was part filled: %d %d %d %d\n",
                views_inside[0], views_inside[1], views_inside[2], views_inside[3]);
    EXPECT_GT(views_inside[0] + views_inside[1] + views_inside[2] + views_inside[3], 0)
        << "no view showed the fill part done";
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Program_stdout(run), "410, 510");
}

// Every button fills: left, middle, right and both wheel directions.
TEST_F(Colouring, EveryButtonAndTheWheelFill)
{
    // Five 3 x 3 boxes side by side, one per button.
    const std::vector<std::string> grid{"", " xxxxx xxxxx xxxxx xxxxx xxxxx", " x   x x   x x   x x   x x   x",
                                        " x   x x   x x   x x   x x   x", " x   x x   x x   x x   x x   x",
                                        " xxxxx xxxxx xxxxx xxxxx xxxxx"};
    ASSERT_NO_FATAL_FAILURE(Open(grid));
    std::string trace;
    for (int button = 1; button <= 5; ++button) {
        const int i = 3 + 6 * (button - 1);
        Press_item(button);
        Press_square(i, 4, button);
        ASSERT_EQ(Screen_model_fill(model, i, 4), 9) << "button " << button;
        const Point p = Square_at(i, 4);
        trace += std::to_string(p.x) + ", " + std::to_string(p.y);
    }
    Press_item(0);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "every-button"));
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Program_stdout(run), trace);
}

// Board presses write their positions run together, no separator and no
// line break; toolbar presses write nothing.
TEST_F(Colouring, BoardPressesAreTracedRunTogether)
{
    std::array<Tint, 8> grey = palette;
    grey[0] = tint_default;   // current colour = the squares' colour: nothing is painted
    model = Screen_model_create(grey);
    ASSERT_TRUE(Start(Picture_text(grey, {})));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 20));
    Click(410, 530);
    Click(300, 300);
    Press_item(3);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "after-presses"));
    ASSERT_NO_FATAL_FAILURE(Quit());
    EXPECT_EQ(Program_stdout(run), "410, 530300, 300");
}

}  // namespace
