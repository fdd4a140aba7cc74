// Photographs the bundled house picture with a few regions coloured in, in
// the real window under a private Xvfb, and saves the window as a PNG:
//   picture_screenshot docs/screenshot.png
// Each press is made as a person would: pick a swatch, click a region.
#include <cstdio>
#include "program_run.h"
#include "x_session.h"

namespace {

struct Colouring_step {
    int item;      // toolbar item to pick, -1: keep the current colour
    int i, j;      // board square to press
};

// Squares of pictures/house.txt (revise them when the picture changes): sky
// blue, sun amber, cloud and windows white, roof and chimney red, walls
// peach, ground and treetop green, door and trunk brown.
constexpr Colouring_step steps[] = {
    {2, 1, 1},   {-1, 38, 25},                                            // sky, beside the tree
    {1, 33, 6},                                                           // sun
    {6, 5, 4},   {-1, 14, 12}, {-1, 9, 19}, {-1, 11, 19}, {-1, 9, 21},    // cloud, attic window, panes
    {-1, 11, 21}, {-1, 21, 19}, {-1, 23, 19}, {-1, 21, 21}, {-1, 23, 21},
    {0, 18, 13}, {-1, 22, 6},                                             // roof, chimney
    {4, 6, 20},                                                           // walls
    {3, 2, 31},  {-1, 30, 32}, {-1, 34, 17},                              // ground, treetop
    {5, 15, 26}, {-1, 34, 25},                                            // door, trunk
};

int Fail(const char* what)
{
    std::fprintf(stderr, "picture_screenshot: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail("usage: picture_screenshot OUTPUT.png");
    Xvfb_server server = Xvfb_start(1024, 1024);
    if (server.display.empty())
        return Fail("Xvfb did not start");
    X_watch watch = X_watch_open(server.display);
    int status = 1;
    Program_run run;
    if (watch.display) {
        Mouse_park(watch);
        Program_setup setup;
        setup.name = "house";
        setup.picture = File_slurp(std::string(TINTORA_PICTURES) + "/house.txt");
        setup.display = server.display;
        run = Program_start(setup);
        X_window window = 0;
        Wait_until(30, [&] { return (window = Window_find(watch, "Tintora")) != 0 || !Program_running(run); });
        if (window) {
            for (const Colouring_step& s : steps) {
                if (s.item >= 0)
                    Mouse_click(watch, window, 100 * s.item + 50, 50, 1);
                Mouse_click(watch, window, 20 * s.i + 10, 100 + 20 * s.j + 10, 1);
            }
            // The toolbar is redrawn only after the fills before it, so once
            // purple, a colour no step uses, shows as picked, all is done;
            // then leave green picked.
            const Rgb8 frame{50, 50, 50};
            Image shot;
            auto picked = [&](int item, double seconds) {
                return Wait_until(seconds, [&] {
                    shot = Window_grab(watch, window);
                    return !shot.rgb.empty() && Image_at(shot, 100 * item + 7, 50) == frame;
                });
            };
            Mouse_click(watch, window, 750, 50, 1);
            bool settled = picked(7, 120);
            Mouse_click(watch, window, 350, 50, 1);
            settled = settled && picked(3, 30) && !(Image_at(shot, 707, 50) == frame);
            Mouse_park(watch);
            if (settled && Png_write(shot, argv[1])) {
                std::printf("%s: %d x %d\n", argv[1], shot.width, shot.height);
                status = 0;
            } else if (!settled) {
                Fail("the last press was not handled in time");
            }
            Key_tap(watch, window, XK_Escape);
            Program_wait(run, 30);
        } else {
            Fail("no window");
        }
    }
    Program_stop(run);
    X_watch_close(watch);
    Xvfb_stop(server);
    return status;
}
