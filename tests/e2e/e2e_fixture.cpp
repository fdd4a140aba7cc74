// The shared X session of one end-to-end test program, its main(), and the
// fixture that starts, watches and stops the real program.
#include "e2e_fixture.h"
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

std::string Test_label()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string label = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside-a-test";
    for (char& c : label)
        if (c == '/')
            c = '_';
    return label;
}

}  // namespace

E2e_session& E2e_shared()
{
    static E2e_session session;
    return session;
}

void E2e_test::TearDown()
{
    Program_stop(run);
    // A test that left the pointer over the window must not give the next
    // program a pointer already inside it.
    if (E2e_shared().watch.display)
        Mouse_park(E2e_shared().watch);
}

::testing::AssertionResult E2e_test::Start(Program_setup setup, double seconds)
{
    E2e_session& session = E2e_shared();
    if (!session.watch.display)
        return ::testing::AssertionFailure() << "no X session";
    if (!setup.display)
        setup.display = session.server.display;
    constexpr int attempts = 3;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        Program_stop(run);
        // The window of an earlier run goes when the server has seen that
        // client leave; connecting at that same moment is what Xvfb may drop.
        if (!Wait_until(10, [&] { return Window_find(session.watch, "Tintora") == 0; }))
            return ::testing::AssertionFailure() << "a window of an earlier run is still there";
        run = Program_start(setup);
        if (run.pid <= 0)
            return ::testing::AssertionFailure() << "the program could not be started";
        window = 0;
        Wait_until(seconds, [&] {
            window = Window_find(session.watch, "Tintora");
            return window != 0 || !Program_running(run);
        });
        if (window)
            return ::testing::AssertionSuccess();
        if (!run.exited)
            return ::testing::AssertionFailure() << "no window captioned \"Tintora\" after " << seconds << " s";
        const std::string err = Program_stderr(run);
        if (run.status != 1 || err != "OMG NO WINDOW\n" || attempt == attempts)
            return ::testing::AssertionFailure() << "the program ended (status " << run.status
                                                 << ") before its window showed; stderr: \"" << err << "\"";
        std::fprintf(stderr, "e2e: the program could not open its window on %s (attempt %d of %d), retrying\n",
                     setup.display->c_str(), attempt, attempts);
        ::testing::Test::RecordProperty("window_retries", attempt);
    }
    return ::testing::AssertionFailure() << "unreachable";
}

::testing::AssertionResult E2e_test::Start(const std::string& picture)
{
    Program_setup setup;
    setup.picture = picture;
    return Start(setup);
}

::testing::AssertionResult E2e_test::Screen_wait(const Image& expected, const std::string& label, double seconds)
{
    Image seen;
    const bool same = Wait_until(seconds, [&] {
        Image shot = Grab();
        if (!shot.rgb.empty())
            seen = std::move(shot);
        return (seen.width == expected.width && seen.height == expected.height && seen.rgb == expected.rgb) ||
               !Program_running(run);
    });
    if (same && !run.exited)
        return ::testing::AssertionSuccess();
    if (run.exited)
        return ::testing::AssertionFailure() << label << ": the program ended (status " << run.status
                                             << ") while its window was watched; stderr: \"" << Program_stderr(run)
                                             << "\"";
    if (seen.rgb.empty())
        return ::testing::AssertionFailure() << label << ": the window could not be read";
    const std::string seen_path = Shot_save(seen, label + "-seen");
    const std::string expected_path = Shot_save(expected, label + "-expected");
    return ::testing::AssertionFailure() << label << ": the window still differs after " << seconds
                                         << " s (screenshot " << seen_path << ", expected " << expected_path
                                         << "):\n"
                                         << Image_differences(expected, seen);
}

::testing::AssertionResult E2e_test::Exit_wait(int status, double seconds)
{
    if (!Program_wait(run, seconds))
        return ::testing::AssertionFailure() << "the program is still running after " << seconds << " s";
    if (run.status != status)
        return ::testing::AssertionFailure() << "exit status " << run.status << ", expected " << status
                                             << "; stderr: \"" << Program_stderr(run) << "\"";
    return ::testing::AssertionSuccess();
}

std::string E2e_test::Shot_save(const Image& image, const std::string& label)
{
    const char* asked = std::getenv("TINTORA_E2E_SHOTS");
    const std::string folder = asked && *asked ? asked : TINTORA_E2E_SHOTS;
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::string name = Test_label() + "-" + label;
    for (char& c : name)
        if (c == ' ' || c == '/')
            c = '_';
    const std::string path = folder + "/" + name + ".png";
    return Png_write(image, path) ? path : "(not saved)";
}

// One Xvfb per test program, with the one watching connection opened right
// after it is up; a test program that cannot have them fails as a whole.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    E2e_session& session = E2e_shared();
    session.server = Xvfb_start(1024, 1024);
    if (session.server.display.empty()) {
        std::fprintf(stderr, "e2e: Xvfb did not start\n");
        return 1;
    }
    session.watch = X_watch_open(session.server.display);
    if (!session.watch.display) {
        std::fprintf(stderr, "e2e: no connection to %s\n", session.server.display.c_str());
        Xvfb_stop(session.server);
        return 1;
    }
    Mouse_park(session.watch);
    const int result = RUN_ALL_TESTS();
    X_watch_close(session.watch);
    Xvfb_stop(session.server);
    return result;
}

::testing::AssertionResult E2e_test::Caption_wait(const std::string& caption, double seconds)
{
    window = 0;
    Wait_until(seconds, [&] {
        window = Window_find(E2e_shared().watch, caption);
        return window != 0 || !Program_running(run);
    });
    if (!window)
        return ::testing::AssertionFailure() << "no window \"" << caption << "\"; the program "
                                             << (run.exited ? "ended, stderr: " + Program_stderr(run) : "runs");
    return ::testing::AssertionSuccess();
}
