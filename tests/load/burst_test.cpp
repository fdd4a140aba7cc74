// The event loop under load, in the real program's real window: while a
// large fill runs, a burst of hundreds of presses on the board and the
// toolbar is queued, and then, during a second large fill, more presses and
// a close request. Every press must be handled after the fill, in the order
// it came, and the program must leave with status 0 once the close request's
// turn comes.
#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include "e2e_fixture.h"
#include "load_picture.h"

namespace {

constexpr const auto& palette = load_palette;
constexpr int region_rows = load_region_rows;
constexpr int region_squares = region_rows * 38;
constexpr int cell_rows[] = {32, 34, 36, 38};
// A pixel of the outline row right below the large region.
constexpr int outline_row_y = model_strip + 31 * model_square + 7;

struct Square_at {
    int i, j;
};

std::vector<Square_at> Cells()
{
    std::vector<Square_at> cells;
    for (int j : cell_rows)
        for (int i = 2; i <= 38; i += 2)
            cells.push_back({i, j});
    return cells;
}

std::string Burst_picture()
{
    return Load_picture("burst test: one large region above a field of walled-in squares");
}

// The colour in the middle of square (i, j).
Rgb8 Square_seen(const Image& shot, int i, int j)
{
    return Image_at(shot, i * model_square + 10, model_strip + j * model_square + 10);
}

int Region_painted(const Image& shot, Rgb8 colour)
{
    if (shot.rgb.empty())
        return 0;
    int n = 0;
    for (int j = 1; j <= region_rows; ++j)
        for (int i = 1; i <= 38; ++i)
            n += Square_seen(shot, i, j) == colour;
    return n;
}

class Burst_test : public E2e_test {
protected:
    std::vector<Square_at> cells = Cells();
    std::string trace;           // what the board presses write, in order
    std::vector<Rgb8> expected;  // each cell's colour once everything is handled

    // Starts a fill of the large region in palette[item] (its toolbar item
    // pressed first), waits until the fill is visibly under way, then queues
    // `rounds` rounds of: a toolbar press, a press on a walled-in square, and
    // every fourth round a press on the outline row. Fails if the fill had
    // ended by the time all of it was queued.
    ::testing::AssertionResult Burst_during_fill(int item, int rounds, bool close_after)
    {
        const Rgb8 colour = Tint_drawn(palette[item]);
        Click(item * 100 + 50, 50);
        Click(410, 410);
        trace += "410, 410";
        if (!Wait_until(60, [&] { return Region_painted(Grab(), colour) > 0; }))
            return ::testing::AssertionFailure() << "the large fill in " << Rgb_text(colour) << " did not start";

        for (int k = 0; k < rounds; ++k) {
            const int chosen = (k * 3 + 1) % 8;
            Click(chosen * 100 + 50, 50 + k % 40);
            const std::size_t c = static_cast<std::size_t>(k * 7) % cells.size();
            const int x = cells[c].i * model_square + 3 + k % 15;
            const int y = model_strip + cells[c].j * model_square + 3 + k % 14;
            Click(x, y);
            trace += std::to_string(x) + ", " + std::to_string(y);
            expected[c] = Tint_drawn(palette[chosen]);
            if (k % 4 == 3) {
                const int ox = 30 + k % 700;
                Click(ox, outline_row_y);
                trace += std::to_string(ox) + ", " + std::to_string(outline_row_y);
            }
        }
        if (close_after) {
            // Input the server has taken is delivered before this message is sent.
            Sleep_for(0.1);
            Close_request();
        }
        const int painted = Region_painted(Grab(), colour);
        std::printf("burst: %d presses queued while the fill had painted %d of %d squares\n",
                    1 + rounds * 2 + rounds / 4, painted, region_squares);
        if (painted >= region_squares)
            return ::testing::AssertionFailure() << "the fill ended before the burst was queued: nothing was tested";
        return ::testing::AssertionSuccess();
    }

    // Empty when every walled-in square shows the colour its last press
    // chose; otherwise which squares differ.
    std::string Cells_differ(const Image& shot) const
    {
        std::string diff;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const Rgb8 seen = Square_seen(shot, cells[k].i, cells[k].j);
            if (!(seen == expected[k]))
                diff += " (" + std::to_string(cells[k].i) + "," + std::to_string(cells[k].j) + ") is " +
                        Rgb_text(seen) + " not " + Rgb_text(expected[k]) + ";";
        }
        return diff;
    }
};

TEST_F(Burst_test, PressesQueuedBehindFillsAreHandledInOrder)
{
    const Rgb8 untouched = Tint_drawn(tint_default);
    ASSERT_TRUE(Start(Burst_picture()));
    ASSERT_TRUE(Wait_until(60, [&] {
        const Image shot = Grab();
        return !shot.rgb.empty() && Square_seen(shot, 20, 15) == untouched;
    })) << "the first picture was not shown";
    expected.assign(cells.size(), untouched);

    // First fill: hundreds of presses queued behind it, then everything is
    // checked on the screen once the program has caught up.
    ASSERT_TRUE(Burst_during_fill(0, 240, false));
    const Rgb8 first = Tint_drawn(palette[0]);
    Image shot;
    const bool caught_up = Wait_until(120, [&] {
        shot = Grab();
        return Region_painted(shot, first) == region_squares && Cells_differ(shot).empty();
    });
    ASSERT_TRUE(caught_up) << "after the burst the screen is not as the presses in order make it:"
                           << Cells_differ(shot) << " large region painted " << Region_painted(shot, first)
                           << " (screenshot " << Shot_save(shot, "after-first-burst") << ")";
    ASSERT_EQ(Rgb_text(Image_at(shot, 10, outline_row_y)), Rgb_text(Tint_drawn(tint_outline)))
        << "the outline row was repainted";

    // Second fill: more presses and then a close request behind it.
    ASSERT_TRUE(Burst_during_fill(3, 120, true));
    ASSERT_TRUE(Exit_wait(0, 120)) << "the program did not leave after the close request";

    const std::string out = Program_stdout(run);
    if (out != trace) {
        std::size_t k = 0;
        while (k < out.size() && k < trace.size() && out[k] == trace[k])
            ++k;
        FAIL() << "the trace differs from the presses in order at byte " << k << " of " << trace.size() << " (got "
               << out.size() << " bytes)";
    }
    EXPECT_EQ(Program_stderr(run), "") << "the program wrote to standard error";
    std::printf("burst: all presses handled in order, %zu bytes of trace, exit status 0\n", out.size());
}

}  // namespace
