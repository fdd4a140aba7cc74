// The gtest side of the end-to-end tests. Link a test program with
// tintora_e2e_main: its main() starts one Xvfb and one watching connection
// before the first test and ends them after the last (E2e_shared), and each
// test derives from E2e_test, which starts the real program in a real
// window, drives it and stops it again at the end of the test.
//
//   TEST_F(E2e_test, Example)
//   {
//       Screen_model model = Screen_model_create(palette);
//       ASSERT_TRUE(Start(Picture_text(palette, grid)));
//       ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first view"));
//       Click(250, 50);   // toolbar item 2
//       ...
//       Key(XK_Escape);
//       ASSERT_TRUE(Exit_wait(0));
//       EXPECT_EQ(Program_stdout(run), "");
//   }
#pragma once
#include <gtest/gtest.h>
#include <string>
#include "program_run.h"
#include "screen_model.h"
#include "x_session.h"

struct E2e_session {
    Xvfb_server server;
    X_watch watch;
};

// The session of this test program; set up by tintora_e2e_main's main().
E2e_session& E2e_shared();

class E2e_test : public ::testing::Test {
protected:
    // Stops a program still running (by its pid) and removes its folder.
    void TearDown() override;

    // Starts the program on the shared display (setup.display is filled in
    // unless given) and waits for its window, "Tintora", to be viewable. A
    // start whose window could not open (exit 1 with "OMG NO WINDOW") is
    // retried up to twice, each retry logged on standard error, for the
    // rare connection Xvfb drops.
    ::testing::AssertionResult Start(Program_setup setup, double seconds = 30);
    // The same with this picture file text and nothing else set.
    ::testing::AssertionResult Start(const std::string& picture);
    // Waits for a window captioned `caption` (WM_NAME) to be viewable and
    // makes it the test's window; fails, with the program's standard error,
    // when the program ends first or the time is up.
    ::testing::AssertionResult Caption_wait(const std::string& caption, double seconds = 30);
    // Waits until the window shows exactly this picture. On timeout saves the
    // last screenshot and the expected picture as PNGs and fails, naming each
    // square, swatch or grid line that differs with expected and seen colour.
    ::testing::AssertionResult Screen_wait(const Image& expected, const std::string& label, double seconds = 60);
    // Waits for the program to end and checks its exit status.
    ::testing::AssertionResult Exit_wait(int status, double seconds = 60);
    // Saves an image as <shots>/<suite>.<test>-<label>.png and returns the
    // path. <shots> is $TINTORA_E2E_SHOTS, else a folder in the build tree.
    std::string Shot_save(const Image& image, const std::string& label);

    Image Grab() { return Window_grab(E2e_shared().watch, window); }
    // SDL's Windows driver takes a press at x = 0 or y = 0 (and every wheel
    // turn) at the pointer's place when it last looked, after each round of
    // messages (under Wine, where the X pointer is at that moment). So for a
    // Windows program the pointer goes there first and, once the program
    // has taken in the move, is left a moment for SDL to look; and it stays
    // until the program has taken in the press too, or the next Click's
    // move would be where a lagging program places this press.
    void Click(int x, int y, int button = 1)
    {
        if (run.windows) {
            Mouse_move(E2e_shared().watch, window, x, y);
            Window_ping(E2e_shared().watch, window);
            Sleep_for(0.15);
        }
        Mouse_click(E2e_shared().watch, window, x, y, button);
        if (run.windows)
            Window_ping(E2e_shared().watch, window);
    }
    // A person clicks a window before typing into it; with no window
    // manager a Windows program is given the focus here as that click would
    // give it (Window_focus), and the key comes once the program has taken
    // the focus in. The ping after the key keeps the next input behind it.
    void Key(X_keysym key)
    {
        if (run.windows) {
            Window_focus(E2e_shared().watch, window);
            Window_ping(E2e_shared().watch, window);
        }
        Key_tap(E2e_shared().watch, window, key);
        if (run.windows)
            Window_ping(E2e_shared().watch, window);
    }
    void Close_request() { Window_close_request(E2e_shared().watch, window); }

    Program_run run;
    X_window window = 0;
};
