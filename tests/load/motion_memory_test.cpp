// Memory under a stream of pointer motion: while six large fills run one
// after another, the pointer moves over the window without pause, and the
// program's peak resident memory (VmHWM) is compared with the same fills
// without motion. The program takes input in after each square of a fill and
// keeps only presses and key presses of it, so the motion must not show in
// its memory, neither in its own overflow nor in the display libraries'
// buffers.
#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>
#include "e2e_fixture.h"
#include "load_picture.h"

namespace {

constexpr const auto& palette = load_palette;
constexpr int fills = 6;
// Rows 1-30: one open region of 1140 squares, each fill of it over a second
// on the layer over SDL2 and half of one on the original SDL 1.2.
constexpr int region_squares = 30 * 38;

struct Measured {
    long peak_kb = 0;
    long motions = 0;
    double seconds = 0;
};

class Motion_memory : public E2e_test {
protected:
    // Queues the fills (each in a colour other than the last), then moves
    // the pointer, if asked, until the last fill is on the screen.
    void Fills_measure(bool motion, Measured& measured)
    {
        std::vector<std::string> grid(38);
        grid[30] = std::string(38, 'x');
        ASSERT_TRUE(Start(Picture_text(palette, grid)));
        ASSERT_TRUE(Wait_until(60, [&] {
            const Image shot = Grab();
            return !shot.rgb.empty() && Image_at(shot, 410, 410) == Tint_drawn(tint_default);
        })) << "the first picture was not shown";
        const double start = Clock_now();
        for (int f = 1; f <= fills; ++f) {
            Click(f * 100 + 50, 50);
            Click(410, 410);
        }
        const Rgb8 last = Tint_drawn(palette[fills]);
        auto last_done = [&] {
            const Image shot = Grab();
            if (shot.rgb.empty())
                return false;
            int n = 0;
            for (int j = 1; j <= 30; ++j)
                for (int i = 1; i <= 38; ++i)
                    n += Image_at(shot, 20 * i + 10, 100 + 20 * j + 10) == last;
            return n == region_squares;
        };
        while (motion && !last_done() && Clock_now() - start < 300)
            for (int k = 0; k < 200; ++k, ++measured.motions)
                Mouse_move(E2e_shared().watch, window, 20 + (measured.motions * 37) % 760,
                           120 + (measured.motions * 53) % 760);
        ASSERT_TRUE(Wait_until(300, last_done)) << "the last fill did not end";
        measured.seconds = Clock_now() - start;
        measured.peak_kb = Program_peak_kb(run);
        ASSERT_GT(measured.peak_kb, 0);
        Key(XK_Escape);
        ASSERT_TRUE(Exit_wait(0));
        EXPECT_EQ(Program_stdout(run), [] {
            std::string trace;
            for (int f = 1; f <= fills; ++f)
                trace += "410, 410";
            return trace;
        }());
    }
};

TEST_F(Motion_memory, AStreamOfMotionDuringLongFillsLeavesThePeakMemoryFlat)
{
    Measured still, moving;
    ASSERT_NO_FATAL_FAILURE(Fills_measure(false, still));
    ASSERT_NO_FATAL_FAILURE(Fills_measure(true, moving));
    const long grown_kb = moving.peak_kb - still.peak_kb;
    std::printf("motion: %d fills of %d squares; without motion peak %ld KiB in %.1f s; with %ld motion events "
                "peak %ld KiB in %.1f s; %+ld KiB, %.1f bytes per motion event\n",
                fills, region_squares, still.peak_kb, still.seconds, moving.motions, moving.peak_kb, moving.seconds,
                grown_kb, 1024.0 * static_cast<double>(grown_kb) / static_cast<double>(std::max(moving.motions, 1L)));
    RecordProperty("peak_kb_still", static_cast<int>(still.peak_kb));
    RecordProperty("peak_kb_moving", static_cast<int>(moving.peak_kb));
    RecordProperty("motions", static_cast<int>(moving.motions));
    ASSERT_GT(moving.motions, 1000) << "too little motion to tell anything";
    // Left in the display libraries' buffers until the fills end, each
    // motion event costs 200 bytes (SDL 1.2, Xlib's queue) to 900 (the layer
    // over SDL2); what is left here is the noise of two runs.
    EXPECT_LT(grown_kb * 1024, (1 << 20) + 32 * moving.motions)
        << "the peak grew by " << grown_kb << " KiB with " << moving.motions << " motion events";
}

}  // namespace
