// The X side of the end-to-end tests: a private Xvfb server, one watching
// connection to it, finding the program's window by its caption, reading its
// pixels, and sending it clicks, keys and close requests through XTest.
//
// Xvfb now and then drops a new client connection when another client
// connects or disconnects at the same moment. So a test program opens ONE
// connection right after the server is up, keeps it to the end, and does
// everything (watching and input) through it; a failed connect is retried
// and every retry is logged on standard error.
//
// Typical use (see e2e_fixture.h for the gtest side):
//   Xvfb_server server = Xvfb_start(1024, 1024);    // once per test program
//   X_watch watch = X_watch_open(server.display);   // once, kept open
//   ... start the program with DISPLAY=server.display (program_run.h) ...
//   X_window w = Window_find(watch, "Tintora");     // 0 while not mapped
//   Image shot = Window_grab(watch, w);             // empty on failure
//   Mouse_click(watch, w, 410, 530, 1);             // window coordinates
//   Key_tap(watch, w, XK_Escape);
//   X_watch_close(watch); Xvfb_stop(server);
#pragma once
#include <sys/types.h>
#include <X11/keysym.h>   // XK_ key names only; Xlib's macros stay out of gtest's way
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A picture of a window or of what it should show: rows top to bottom,
// three bytes (r, g, b) per pixel.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

struct Rgb8 {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb8&) const = default;
};

Rgb8 Image_at(const Image& image, int x, int y);
void Image_set(Image& image, int x, int y, Rgb8 c);
// Fills the inclusive rectangle (x0, y0)-(x1, y1), clipped to the image.
void Image_box(Image& image, int x0, int y0, int x1, int y1, Rgb8 c);
// Writes the image as an 8-bit RGB PNG; false (and a message on standard
// error) when the file cannot be written.
bool Png_write(const Image& image, const std::string& path);

// A running Xvfb, started with -displayfd so that it picks a free display.
struct Xvfb_server {
    pid_t pid = -1;
    std::string display;   // ":N"; empty when the server could not start
    std::string log_path;  // the server's own output
};

// Starts Xvfb with one screen of width x height at depth 24, no TCP, and no
// reset when the last client leaves, on `display` (":N") or else a free
// display of its choosing. Waits (up to 30 s) until it is ready. On failure
// the display is empty and the reason is on standard error.
Xvfb_server Xvfb_start(int width, int height, const std::string& display = "");
void Xvfb_stop(Xvfb_server& server);

// Xlib's types without Xlib's header, whose macros (None, Bool, Status...)
// clash with gtest: a Display is a struct _XDisplay, a Window and a KeySym
// are XIDs (unsigned long).
struct _XDisplay;
using X_window = unsigned long;
using X_keysym = unsigned long;

// The one watching connection. X errors on it are recorded, not fatal.
struct X_watch {
    _XDisplay* display = nullptr;
};

// Opens the connection, retrying (with a logged line per retry) for up to
// about 10 s; display is null if every attempt failed. Turns the server's
// key autorepeat off, so that a key held down is one press.
X_watch X_watch_open(const std::string& display_name);
void X_watch_close(X_watch& watch);

// The first viewable window on the screen (top level or one level below)
// whose WM_NAME is the caption; 0 when there is none now.
X_window Window_find(X_watch& watch, const std::string& caption);
// WM_NAME and WM_ICON_NAME as text; nullopt when the property is not set.
std::optional<std::string> Window_caption(X_watch& watch, X_window window);
// _NET_WM_NAME, the caption in UTF-8 that window managers show.
std::optional<std::string> Window_title_utf8(X_watch& watch, X_window window);
std::optional<std::string> Window_icon_name(X_watch& watch, X_window window);
struct Window_extent {
    int width = 0, height = 0;
};
Window_extent Window_size(X_watch& watch, X_window window);

// The window's pixels as they are on the screen now; an empty image when X
// refused (the window went away, say).
Image Window_grab(X_watch& watch, X_window window);

// Input, all through XTest on the watching connection and synced, so the
// server has queued the events for the program when these return.
// Coordinates are window pixels. Buttons: 1 left, 2 middle, 3 right, 4 and 5
// the wheel. Mouse_click moves the pointer there first.
void Mouse_move(X_watch& watch, X_window window, int x, int y);
void Mouse_click(X_watch& watch, X_window window, int x, int y, int button);
// One button press (down true) or release alone, wherever the pointer is:
// with Mouse_move between them, a drag.
void Mouse_button(X_watch& watch, int button, bool down);
// Types UTF-8 text in any script, one character at a time, by giving a
// spare key the character's keysym for the moment (as a person's keyboard
// layout would give it); the pointer is moved into the window first.
void Text_type(X_watch& watch, X_window window, const std::string& utf8);
// Moves the pointer where no window of the program is (keys then go nowhere).
void Mouse_park(X_watch& watch);
// Key press and release; the pointer is moved into the window first, since
// with no window manager the keyboard follows the pointer.
void Key_tap(X_watch& watch, X_window window, X_keysym key);
// One key press (down true) or release alone, wherever the pointer is.
void Key_event(X_watch& watch, X_keysym key, bool down);
// What a click-to-focus window manager does when a person clicks a window:
// gives it the X input focus and, as the window asks in WM_PROTOCOLS, sends
// it WM_TAKE_FOCUS, on which a Wine program makes the window Windows' own
// foreground (active, focused) window, the one Windows gives keys to. With
// no window manager nothing else does: X focus follows the pointer, which
// Wine does not take as a window's activation. The focus stays on the window
// until another is given it or the window goes.
void Window_focus(X_watch& watch, X_window window);
// A round trip through a Wine program's own handling of X events: the
// window manager's ping (_NET_WM_PING), which Wine answers from the
// program's thread as it takes in X events, in their order. True once the
// answer came, so every event sent to the window before it has been taken
// in (turned into Windows' messages); false if none came within `seconds`
// or the window went away first. A program that does not answer pings
// (SDL's X11 driver) gets none: this is for Windows programs.
bool Window_ping(X_watch& watch, X_window window, double seconds = 30);
// What a window manager sends when the user closes the window:
// a ClientMessage WM_PROTOCOLS / WM_DELETE_WINDOW.
void Window_close_request(X_watch& watch, X_window window);

// Calls test every 20 ms until it holds or the time is up; true if it held.
template <class Test>
bool Wait_until(double seconds, Test&& test);

// Monotonic seconds, for deadlines.
double Clock_now();
void Sleep_for(double seconds);

template <class Test>
bool Wait_until(double seconds, Test&& test)
{
    const double deadline = Clock_now() + seconds;
    for (;;) {
        if (test())
            return true;
        if (Clock_now() > deadline)
            return false;
        Sleep_for(0.02);
    }
}
