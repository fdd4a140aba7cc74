// SIGTERM at random moments while presses queue up behind fills, round after
// round, in the real program's real window. SDL turns the signal into a quit
// request from inside its signal handler, wherever the program was: in a
// fill, handing out the overflow, or waiting. Every press the display had
// delivered before the signal must be handled, in order, before the program
// leaves with status 0; presses sent after it may be handled or not, but
// only as a continuation of the same order, never with a gap.
#include <sys/types.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>
#include "e2e_fixture.h"
#include "load_picture.h"

namespace {

constexpr const auto& palette = load_palette;
constexpr int region_rows = load_region_rows;

std::string Quit_picture()
{
    return Load_picture("quit test: one large region above a field of walled-in squares");
}

int Rounds()
{
    const char* asked = std::getenv("TINTORA_QUIT_ROUNDS");
    return asked && *asked ? std::atoi(asked) : 25;
}

unsigned Seed()
{
    const char* asked = std::getenv("TINTORA_QUIT_SEED");
    return asked && *asked ? static_cast<unsigned>(std::strtoul(asked, nullptr, 10)) : std::random_device{}();
}

// One press the test sends, and the trace it writes if it is on the board.
struct Press {
    int x, y;
    bool board;
    std::string Trace() const { return board ? std::to_string(x) + ", " + std::to_string(y) : ""; }
};

// A round's presses: fills of the large region, each in a colour other than
// the one before, with toolbar presses and walled-in squares between them.
std::vector<Press> Round_presses(std::mt19937& random)
{
    std::vector<Press> presses;
    const int fills = 1 + static_cast<int>(random() % 3);
    int colour = 0;
    for (int f = 0; f < fills; ++f) {
        colour = (colour + 1 + static_cast<int>(random() % 7)) % 8;
        presses.push_back({colour * 100 + 50, 50, false});
        presses.push_back({20 + static_cast<int>(random() % 760), 121 + static_cast<int>(random() % 580), true});
        const int between = static_cast<int>(random() % 60);
        for (int k = 0; k < between; ++k) {
            if (random() % 3 == 0) {
                presses.push_back({static_cast<int>(random() % 800), static_cast<int>(random() % 100), false});
                continue;
            }
            const int i = 2 + 2 * static_cast<int>(random() % 19);
            const int j = 32 + 2 * static_cast<int>(random() % 4);
            const int x = 20 * i + 1 + static_cast<int>(random() % 19);
            const int y = 100 + 20 * j + 1 + static_cast<int>(random() % 19);
            presses.push_back({x, y, true});
        }
    }
    return presses;
}

class Quit_signal_test : public E2e_test {};

TEST_F(Quit_signal_test, EveryPressBeforeSigtermIsHandledInOrderAndTheProgramExitsZero)
{
    const unsigned seed = Seed();
    const int rounds = Rounds();
    std::printf("quit: %d rounds, seed %u (TINTORA_QUIT_SEED=%u repeats them)\n", rounds, seed, seed);
    std::mt19937 random(seed);
    int handled_after_signal = 0, not_handled_after_signal = 0, presses_before_total = 0;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + " of seed " + std::to_string(seed));
        const std::vector<Press> presses = Round_presses(random);
        // The signal goes after `cut` presses, `pause` seconds after the last
        // of them: at once, in the fill, or when the program may be waiting.
        // The rest follow at once or `pause_after` seconds later, when the
        // program may already have placed the quit before them.
        const std::size_t cut = random() % (presses.size() + 1);
        const double pause = (random() % 4 == 0) ? 0 : static_cast<double>(random() % 400) / 1000;
        const double pause_after = (random() % 2 == 0) ? 0 : static_cast<double>(random() % 300) / 1000;

        ASSERT_TRUE(Start(Quit_picture()));
        ASSERT_TRUE(Wait_until(30, [&] { return Program_catches(run, SIGTERM) || !Program_running(run); }))
            << "SDL never caught SIGTERM";
        std::string before, all;
        for (std::size_t k = 0; k < presses.size(); ++k) {
            if (k == cut) {
                Sleep_for(pause);
                ASSERT_EQ(kill(run.pid, SIGTERM), 0);
                Sleep_for(pause_after);
            }
            Click(presses[k].x, presses[k].y);
            (k < cut ? before : all) += presses[k].Trace();
        }
        if (cut == presses.size()) {
            Sleep_for(pause);
            ASSERT_EQ(kill(run.pid, SIGTERM), 0);
        }
        all = before + all;
        ASSERT_TRUE(Exit_wait(0, 120)) << "after SIGTERM";
        const std::string out = Program_stdout(run);
        EXPECT_EQ(Program_stderr(run), "");
        // The trace is `before`, then some beginning of what came after.
        ASSERT_TRUE(out.size() >= before.size() && all.compare(0, out.size(), out) == 0)
            << "the trace is not the presses sent before SIGTERM followed by a beginning of those after it:\n"
            << "  sent before: " << before.size() << " bytes, sent in all " << all.size() << " bytes, handled "
            << out.size() << " bytes\n  handled:     " << out << "\n  sent:        " << all;
        // The trace's pieces run together, so a cut inside a piece would pass
        // the check above: it must end where a press's trace ends.
        std::string whole;
        bool on_boundary = out.empty();
        for (const Press& p : presses) {
            whole += p.Trace();
            on_boundary = on_boundary || whole.size() == out.size();
        }
        EXPECT_TRUE(on_boundary) << "the trace ends inside a press's position";
        presses_before_total += static_cast<int>(cut);
        (out.size() > before.size() ? handled_after_signal : not_handled_after_signal) += all.size() > before.size();
    }
    std::printf("quit: %d rounds passed; %d presses sent before the signal in all; in %d rounds presses sent after "
                "it were handled too, in %d not\n",
                rounds, presses_before_total, handled_after_signal, not_handled_after_signal);
}

}  // namespace
