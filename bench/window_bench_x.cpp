// Windows, keys and pixels on the X display.
#include "window_bench_x.h"
#include <cstring>
#include <unistd.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// The top-level window whose name is title, or 0.
Window Window_find(Display* display, Window under, const char* title)
{
    char* name = nullptr;
    if (XFetchName(display, under, &name) && name) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match)
            return under;
    }
    Window root, parent;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int k = 0; k < count && !found; ++k)
        found = Window_find(display, children[k], title);
    if (children)
        XFree(children);
    return found;
}

}  // namespace

std::optional<std::pair<int, int>> Window_origin(Display* display, const char* title)
{
    const Window root = DefaultRootWindow(display);
    for (int tries = 0; tries < 500; ++tries) {
        const Window window = Window_find(display, root, title);
        XWindowAttributes attributes{};
        if (window && XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable) {
            int x = 0, y = 0;
            Window ignored;
            XTranslateCoordinates(display, window, root, 0, 0, &x, &y, &ignored);
            XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
            XSync(display, False);
            return std::pair{x, y};
        }
        usleep(10000);
    }
    return std::nullopt;
}

void Key_press(Display* display, KeySym key)
{
    const KeyCode code = XKeysymToKeycode(display, key);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
}

unsigned long Pixel_read(Display* display, int x, int y)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}
