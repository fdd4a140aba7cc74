// The X display the benchmark clicks and reads: finding a window by its
// title, keys through XTest, and one pixel of the screen.
#pragma once
#include <optional>
#include <utility>
#include <X11/Xlib.h>

// Where the window's pixel (0, 0) is on the screen, waiting up to 5 s for
// the window to appear. The window also gets the keyboard, as a window
// manager would give it on a click: with none, a window of the layer that
// closed earlier can leave the focus on no window at all.
std::optional<std::pair<int, int>> Window_origin(Display* display, const char* title);

void Key_press(Display* display, KeySym key);

// The screen's pixel at (x, y) as 0xRRGGBB.
unsigned long Pixel_read(Display* display, int x, int y);
