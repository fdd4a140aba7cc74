// How the Windows program ends under Wine, run after run: each end must
// give the program's own status. Wine's server kills a process whose Unix
// side has not finished exiting half a second after its last thread ended,
// and that SIGKILL (status 137) costs a person the message and the status.
// Not part of the suite: scripts/test-windows-exits runs it, many times over,
// as
//   e2e_windows_exits [--gtest_filter=...]
// with TINTORA_E2E_EXIT_RUNS runs of each kind (100 unless set) and the
// Wine settings of the Windows tests.
#include <unistd.h>
#include <cstdlib>
#include <map>
#include <sstream>
#include "e2e_fixture.h"

namespace {

constexpr std::array<Tint, 8> palette{{{230, 57, 70},
                                       {255, 183, 3},
                                       {33, 158, 188},
                                       {106, 176, 76},
                                       {244, 162, 97},
                                       {142, 90, 60},
                                       {255, 255, 255},
                                       {0, 0, 0}}};
const std::vector<std::string> grid{"", "  xxxx", "  x  x", "  xxxx"};

int Runs()
{
    const char* asked = std::getenv("TINTORA_E2E_EXIT_RUNS");
    const int runs = asked ? std::atoi(asked) : 0;
    return runs > 0 ? runs : 100;
}

// "0 x 99, 137 x 1": each status seen and how often.
std::string Statuses_text(const std::map<int, int>& seen)
{
    std::ostringstream text;
    for (const auto& [status, count] : seen)
        text << (text.tellp() > 0 ? ", " : "") << status << " x " << count;
    return text.str();
}

// Started, a region coloured, ended with Escape: status 0 every time.
TEST_F(E2e_test, StartFillEscapeEndsWithStatusZeroEveryTime)
{
    const int runs = Runs();
    std::map<int, int> seen;
    Screen_model first = Screen_model_create(palette);
    Screen_model_outline(first, grid);
    Screen_model filled = first;
    filled.current = filled.palette[2];   // toolbar item 2
    ASSERT_GT(Screen_model_fill(filled, 4, 3), 0);
    for (int k = 0; k < runs; ++k) {
        Program_setup setup;
        setup.picture = Picture_text(palette, grid);
        setup.environment = {{"SDL_STDIO_REDIRECT", "0"}};
        ASSERT_TRUE(Start(setup)) << "run " << k + 1;
        ASSERT_TRUE(Screen_wait(Screen_model_draw(first), "first-view", 60)) << "run " << k + 1;
        Click(250, 50);
        Click(20 * 4 + 10, 100 + 20 * 3 + 10);
        ASSERT_TRUE(Screen_wait(Screen_model_draw(filled), "filled", 60)) << "run " << k + 1;
        Key(XK_Escape);
        // A program still running a minute after Escape is counted as "-1"
        // and the runs go on.
        EXPECT_TRUE(Program_wait(run, 60)) << "run " << k + 1 << ": still running 60 s after Escape";
        ++seen[run.exited ? run.status : -1];
        std::printf("start-fill-Escape run %d: status %d\n", k + 1, run.exited ? run.status : -1);
        std::fflush(stdout);
        EXPECT_EQ(run.status, 0) << "run " << k + 1 << "; stderr: \"" << Program_stderr(run) << "\"";
        EXPECT_EQ(Program_stdout(run), "90, 170") << "run " << k + 1;
        Program_stop(run);
    }
    std::printf("start-fill-Escape: %d runs, statuses: %s\n", runs, Statuses_text(seen).c_str());
    RecordProperty("statuses", Statuses_text(seen));
}

// A picture the program refuses after its window opened: a link to
// /dev/zero (never ends its grid) and a FIFO no one writes to, in turn.
// Status 2 and the one line on standard error every time.
TEST_F(E2e_test, RefusalEndsWithStatusTwoAndItsMessageEveryTime)
{
    const int runs = Runs();
    std::map<int, int> seen;
    for (int k = 0; k < runs; ++k) {
        Program_setup setup;
        setup.display = E2e_shared().server.display;
        setup.environment = {{"SDL_STDIO_REDIRECT", "0"}};
        if (k % 2 == 0)
            setup.picture_make = [](const std::string& path) { ASSERT_EQ(symlink("/dev/zero", path.c_str()), 0); };
        else
            setup.picture_fifo = true;
        run = Program_start(setup);
        ASSERT_GT(run.pid, 0);
        EXPECT_TRUE(Program_wait(run, 60)) << "run " << k + 1 << ": still running after 60 s";
        ++seen[run.exited ? run.status : -1];
        std::printf("refusal run %d: status %d\n", k + 1, run.exited ? run.status : -1);
        std::fflush(stdout);
        const std::string err = Program_stderr(run);
        EXPECT_EQ(run.status, 2) << "run " << k + 1 << " (" << (k % 2 == 0 ? "/dev/zero" : "FIFO")
                                 << "); stderr: \"" << err << "\"";
        EXPECT_EQ(err.rfind("Tintora: cannot read the picture file \"picture.txt\" in " + run.folder_named + ": ", 0),
                  0u)
            << "run " << k + 1 << "; stderr: \"" << err << "\"";
        Program_stop(run);
    }
    std::printf("refusals: %d runs, statuses: %s\n", runs, Statuses_text(seen).c_str());
    RecordProperty("statuses", Statuses_text(seen));
}

}  // namespace
