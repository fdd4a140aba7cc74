// The private Xvfb, the one watching connection and everything done through
// it: finding the window, reading its pixels, XTest input, close requests,
// and writing what was seen as a PNG.
#include "x_session.h"
#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

// X errors are expected now and then (a window vanishing between a lookup
// and a read); the default handler would end the test program.
int x_error_count = 0;

int X_error_note(Display*, XErrorEvent*)
{
    ++x_error_count;
    return 0;
}

std::optional<std::string> Text_property(Display* display, Window window, Atom property)
{
    XTextProperty text{};
    if (!XGetTextProperty(display, window, &text, property) || !text.value)
        return std::nullopt;
    std::string value(reinterpret_cast<const char*>(text.value), text.nitems);
    XFree(text.value);
    return value;
}

bool Window_viewable(Display* display, X_window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

int Mask_shift(unsigned long mask)
{
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

void Png_chunk(std::FILE* out, const char* type, const std::uint8_t* data, std::size_t size)
{
    const std::uint8_t length[4] = {std::uint8_t(size >> 24), std::uint8_t(size >> 16), std::uint8_t(size >> 8),
                                    std::uint8_t(size)};
    std::fwrite(length, 1, 4, out);
    std::fwrite(type, 1, 4, out);
    if (size)
        std::fwrite(data, 1, size, out);
    uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type), 4);
    if (size)
        crc = crc32(crc, data, static_cast<uInt>(size));
    const std::uint8_t sum[4] = {std::uint8_t(crc >> 24), std::uint8_t(crc >> 16), std::uint8_t(crc >> 8),
                                 std::uint8_t(crc)};
    std::fwrite(sum, 1, 4, out);
}

}  // namespace

double Clock_now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Sleep_for(double seconds)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

Rgb8 Image_at(const Image& image, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + x) * 3;
    return Rgb8{image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]};
}

void Image_set(Image& image, int x, int y, Rgb8 c)
{
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + x) * 3;
    image.rgb[at] = c.r;
    image.rgb[at + 1] = c.g;
    image.rgb[at + 2] = c.b;
}

void Image_box(Image& image, int x0, int y0, int x1, int y1, Rgb8 c)
{
    for (int y = std::max(y0, 0); y <= std::min(y1, image.height - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, image.width - 1); ++x)
            Image_set(image, x, y, c);
}

bool Png_write(const Image& image, const std::string& path)
{
    // Each row starts with filter byte 0 (none).
    std::vector<std::uint8_t> raw;
    const std::size_t row = static_cast<std::size_t>(image.width) * 3;
    raw.reserve((row + 1) * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), image.rgb.begin() + static_cast<std::ptrdiff_t>(row * y),
                   image.rgb.begin() + static_cast<std::ptrdiff_t>(row * (y + 1)));
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) {
        std::fprintf(stderr, "x_session: cannot compress %s\n", path.c_str());
        return false;
    }
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        std::fprintf(stderr, "x_session: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    static constexpr std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::fwrite(signature, 1, 8, out);
    const std::uint32_t w = static_cast<std::uint32_t>(image.width);
    const std::uint32_t h = static_cast<std::uint32_t>(image.height);
    const std::uint8_t header[13] = {std::uint8_t(w >> 24), std::uint8_t(w >> 16), std::uint8_t(w >> 8), std::uint8_t(w),
                                     std::uint8_t(h >> 24), std::uint8_t(h >> 16), std::uint8_t(h >> 8), std::uint8_t(h),
                                     8, 2, 0, 0, 0};   // 8 bits, RGB, deflate, no filter choice, no interlace
    Png_chunk(out, "IHDR", header, sizeof header);
    Png_chunk(out, "IDAT", packed.data(), packed_size);
    Png_chunk(out, "IEND", nullptr, 0);
    const bool written = std::fclose(out) == 0;
    if (!written)
        std::fprintf(stderr, "x_session: cannot finish %s\n", path.c_str());
    return written;
}

Xvfb_server Xvfb_start(int width, int height, const std::string& display)
{
    Xvfb_server server;
    char log_template[] = "/tmp/tintora-xvfb-XXXXXX";
    const int log_fd = mkstemp(log_template);
    if (log_fd < 0) {
        std::fprintf(stderr, "x_session: cannot make the Xvfb log: %s\n", std::strerror(errno));
        return server;
    }
    server.log_path = log_template;

    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        std::fprintf(stderr, "x_session: pipe: %s\n", std::strerror(errno));
        close(log_fd);
        return server;
    }
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        // The server goes when the test program goes, however it ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        // The server writes its display number to fd 3; dup2 clears
        // close-on-exec. The pipe end is moved out of the way first, since
        // the log may itself be fd 3.
        const int ready_fd = fcntl(ready[1], F_DUPFD, 10);
        dup2(log_fd, 1);
        dup2(log_fd, 2);
        dup2(ready_fd, 3);
        const int null_fd = open("/dev/null", O_RDONLY);
        if (null_fd >= 0)
            dup2(null_fd, 0);
        // Given a display, Xvfb still writes its number to fd 3 once ready.
        if (display.empty())
            execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset",
                   static_cast<char*>(nullptr));
        else
            execlp("Xvfb", "Xvfb", display.c_str(), "-displayfd", "3", "-screen", "0", screen.c_str(), "-nolisten",
                   "tcp", "-noreset", static_cast<char*>(nullptr));
        std::fprintf(stderr, "exec Xvfb: %s\n", std::strerror(errno));
        _exit(127);
    }
    close(ready[1]);
    close(log_fd);
    if (pid < 0) {
        std::fprintf(stderr, "x_session: fork: %s\n", std::strerror(errno));
        close(ready[0]);
        return server;
    }
    server.pid = pid;

    // Xvfb writes the display number and a line break once it accepts clients.
    std::string number;
    const double deadline = Clock_now() + 30;
    while (number.find('\n') == std::string::npos && Clock_now() < deadline) {
        pollfd wait{ready[0], POLLIN, 0};
        if (poll(&wait, 1, 200) <= 0)
            continue;
        char buffer[32];
        const ssize_t got = read(ready[0], buffer, sizeof buffer);
        if (got <= 0)
            break;   // the server ended before it was ready
        number.append(buffer, static_cast<std::size_t>(got));
    }
    close(ready[0]);
    const std::string digits = number.substr(0, number.find('\n'));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        std::fprintf(stderr, "x_session: Xvfb did not come up; its log is %s\n", server.log_path.c_str());
        Xvfb_stop(server);
        return server;
    }
    server.display = ":" + digits;
    return server;
}

void Xvfb_stop(Xvfb_server& server)
{
    if (server.pid > 0) {
        kill(server.pid, SIGTERM);
        int status = 0;
        if (!Wait_until(10, [&] { return waitpid(server.pid, &status, WNOHANG) == server.pid; })) {
            kill(server.pid, SIGKILL);
            waitpid(server.pid, &status, 0);
        }
    }
    server.pid = -1;
    server.display.clear();
    if (!server.log_path.empty())
        unlink(server.log_path.c_str());
    server.log_path.clear();
}

X_watch X_watch_open(const std::string& display_name)
{
    XSetErrorHandler(X_error_note);
    X_watch watch;
    for (int attempt = 1; attempt <= 50; ++attempt) {
        watch.display = XOpenDisplay(display_name.c_str());
        if (watch.display) {
            // A key held down through Key_event stays one press.
            XAutoRepeatOff(watch.display);
            XSync(watch.display, False);
            return watch;
        }
        std::fprintf(stderr, "x_session: connecting to %s failed (attempt %d), retrying\n", display_name.c_str(),
                     attempt);
        Sleep_for(0.2);
    }
    std::fprintf(stderr, "x_session: could not connect to %s\n", display_name.c_str());
    return watch;
}

void X_watch_close(X_watch& watch)
{
    if (watch.display)
        XCloseDisplay(watch.display);
    watch.display = nullptr;
}

X_window Window_find(X_watch& watch, const std::string& caption)
{
    Display* display = watch.display;
    // Without a window manager the program's top-level window is a child of
    // the root; an implementation may also keep the caption one level down.
    Window root = DefaultRootWindow(display);
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, root, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned k = 0; k < count && !found; ++k) {
        if (Window_caption(watch, children[k]) == caption && Window_viewable(display, children[k])) {
            found = children[k];
            break;
        }
        Window* inner = nullptr;
        unsigned inner_count = 0;
        Window inner_root = 0, inner_parent = 0;
        if (XQueryTree(display, children[k], &inner_root, &inner_parent, &inner, &inner_count)) {
            for (unsigned m = 0; m < inner_count && !found; ++m)
                if (Window_caption(watch, inner[m]) == caption && Window_viewable(display, inner[m]))
                    found = inner[m];
            if (inner)
                XFree(inner);
        }
    }
    if (children)
        XFree(children);
    return found;
}

std::optional<std::string> Window_caption(X_watch& watch, X_window window)
{
    return Text_property(watch.display, window, XA_WM_NAME);
}

std::optional<std::string> Window_title_utf8(X_watch& watch, X_window window)
{
    Display* display = watch.display;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), 0, 4096, False,
                           XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &after,
                           &data) != Success || !data)
        return std::nullopt;
    std::string text(reinterpret_cast<char*>(data), count);
    XFree(data);
    return text;
}

std::optional<std::string> Window_icon_name(X_watch& watch, X_window window)
{
    return Text_property(watch.display, window, XA_WM_ICON_NAME);
}

Window_extent Window_size(X_watch& watch, X_window window)
{
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(watch.display, window, &attributes))
        return {};
    return Window_extent{attributes.width, attributes.height};
}

Image Window_grab(X_watch& watch, X_window window)
{
    Image image;
    const Window_extent size = Window_size(watch, window);
    if (size.width <= 0 || size.height <= 0)
        return image;
    const int errors_before = x_error_count;
    XImage* shot = XGetImage(watch.display, window, 0, 0, static_cast<unsigned>(size.width),
                             static_cast<unsigned>(size.height), AllPlanes, ZPixmap);
    XSync(watch.display, False);
    if (!shot || x_error_count != errors_before) {
        if (shot)
            XDestroyImage(shot);
        return image;
    }
    image.width = size.width;
    image.height = size.height;
    image.rgb.resize(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height) * 3);
    const int red_shift = Mask_shift(shot->red_mask);
    const int green_shift = Mask_shift(shot->green_mask);
    const int blue_shift = Mask_shift(shot->blue_mask);
    const bool plain32 = shot->bits_per_pixel == 32 && shot->byte_order == LSBFirst;
    std::uint8_t* out = image.rgb.data();
    for (int y = 0; y < size.height; ++y) {
        const auto* line = reinterpret_cast<const std::uint8_t*>(shot->data) + static_cast<std::ptrdiff_t>(y) * shot->bytes_per_line;
        for (int x = 0; x < size.width; ++x) {
            unsigned long pixel;
            if (plain32) {
                const std::uint8_t* p = line + static_cast<std::ptrdiff_t>(x) * 4;
                pixel = static_cast<unsigned long>(p[0]) | static_cast<unsigned long>(p[1]) << 8 |
                        static_cast<unsigned long>(p[2]) << 16 | static_cast<unsigned long>(p[3]) << 24;
            } else {
                pixel = XGetPixel(shot, x, y);
            }
            *out++ = static_cast<std::uint8_t>((pixel & shot->red_mask) >> red_shift);
            *out++ = static_cast<std::uint8_t>((pixel & shot->green_mask) >> green_shift);
            *out++ = static_cast<std::uint8_t>((pixel & shot->blue_mask) >> blue_shift);
        }
    }
    XDestroyImage(shot);
    return image;
}

void Mouse_move(X_watch& watch, X_window window, int x, int y)
{
    Display* display = watch.display;
    int root_x = 0, root_y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &root_x, &root_y, &child);
    XTestFakeMotionEvent(display, DefaultScreen(display), root_x, root_y, CurrentTime);
    XSync(display, False);
}

void Mouse_click(X_watch& watch, X_window window, int x, int y, int button)
{
    Mouse_move(watch, window, x, y);
    XTestFakeButtonEvent(watch.display, static_cast<unsigned>(button), True, CurrentTime);
    XTestFakeButtonEvent(watch.display, static_cast<unsigned>(button), False, CurrentTime);
    XSync(watch.display, False);
}

void Mouse_button(X_watch& watch, int button, bool down)
{
    XTestFakeButtonEvent(watch.display, static_cast<unsigned>(button), down ? True : False, CurrentTime);
    XSync(watch.display, False);
}

void Text_type(X_watch& watch, X_window window, const std::string& utf8)
{
    Display* display = watch.display;
    Mouse_move(watch, window, 400, 50);
    int low = 0, high = 0;
    XDisplayKeycodes(display, &low, &high);
    // The highest key with no symbol at all is free to lend.
    int spare = 0;
    for (int code = high; code >= low && !spare; --code) {
        int per = 0;
        KeySym* symbols = XGetKeyboardMapping(display, static_cast<KeyCode>(code), 1, &per);
        bool empty = true;
        for (int k = 0; k < per; ++k)
            empty = empty && symbols[k] == NoSymbol;
        XFree(symbols);
        if (empty)
            spare = code;
    }
    if (!spare)
        return;
    for (std::size_t at = 0; at < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[at]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        unsigned long code = extra == 0 ? lead : lead & (0x3Fu >> extra);
        for (int k = 1; k <= extra && at + static_cast<std::size_t>(k) < utf8.size(); ++k)
            code = (code << 6) | (static_cast<unsigned char>(utf8[at + static_cast<std::size_t>(k)]) & 0x3Fu);
        at += static_cast<std::size_t>(extra) + 1;
        KeySym symbol = code < 0x100 ? code : 0x01000000UL | code;
        // A character the keyboard has on a key of its own, unshifted, is
        // typed on that key; any other on the spare key.
        KeyCode key = XKeysymToKeycode(display, symbol);
        int per = 0;
        KeySym* symbols = key ? XGetKeyboardMapping(display, key, 1, &per) : nullptr;
        const bool own_key = symbols && per > 0 && symbols[0] == symbol;
        if (symbols)
            XFree(symbols);
        if (!own_key) {
            KeySym pair[2] = {symbol, symbol};
            XChangeKeyboardMapping(display, spare, 2, pair, 1);
            XSync(display, False);
            Sleep_for(0.05);   // the program takes in the new mapping before the key comes
            key = static_cast<KeyCode>(spare);
        }
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XSync(display, False);
        Sleep_for(0.02);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
        XSync(display, False);
        Sleep_for(0.05);
    }
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display, spare, 2, none, 1);
    XSync(display, False);
}

void Mouse_park(X_watch& watch)
{
    Display* display = watch.display;
    const int screen = DefaultScreen(display);
    XTestFakeMotionEvent(display, screen, DisplayWidth(display, screen) - 1, DisplayHeight(display, screen) - 1,
                         CurrentTime);
    XSync(display, False);
}

void Key_tap(X_watch& watch, X_window window, X_keysym key)
{
    Mouse_move(watch, window, 400, 50);
    const KeyCode code = XKeysymToKeycode(watch.display, key);
    XTestFakeKeyEvent(watch.display, code, True, CurrentTime);
    XTestFakeKeyEvent(watch.display, code, False, CurrentTime);
    XSync(watch.display, False);
}

void Key_event(X_watch& watch, X_keysym key, bool down)
{
    XTestFakeKeyEvent(watch.display, XKeysymToKeycode(watch.display, key), down ? True : False, CurrentTime);
    XSync(watch.display, False);
}

void Window_focus(X_watch& watch, X_window window)
{
    Display* display = watch.display;
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom take_focus = XInternAtom(display, "WM_TAKE_FOCUS", False);
    Atom* listed = nullptr;
    int count = 0;
    bool asks = false;
    if (XGetWMProtocols(display, window, &listed, &count)) {
        asks = std::find(listed, listed + count, take_focus) != listed + count;
        XFree(listed);
    }
    if (asks) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(take_focus);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
    }
    XSync(display, False);
}

bool Window_ping(X_watch& watch, X_window window, double seconds)
{
    Display* display = watch.display;
    const Window root = DefaultRootWindow(display);
    const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    const Atom ping = XInternAtom(display, "_NET_WM_PING", False);
    static long stamp = 0;
    ++stamp;
    // The answer is sent to the root window for whoever watches its
    // children's structure, as a window manager would.
    XWindowAttributes root_attributes{};
    XGetWindowAttributes(display, root, &root_attributes);
    XSelectInput(display, root, root_attributes.your_event_mask | SubstructureNotifyMask);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = protocols;
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(ping);
    event.xclient.data.l[1] = stamp;
    event.xclient.data.l[2] = static_cast<long>(window);
    const int errors_before = x_error_count;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    bool answered = false;
    if (x_error_count == errors_before)
        Wait_until(seconds, [&] {
            XEvent reply;
            while (XCheckTypedWindowEvent(display, root, ClientMessage, &reply))
                answered = answered || (reply.xclient.message_type == protocols &&
                                        static_cast<Atom>(reply.xclient.data.l[0]) == ping &&
                                        reply.xclient.data.l[1] == stamp);
            XWindowAttributes attributes{};
            const int errors = x_error_count;
            const bool gone = !XGetWindowAttributes(display, window, &attributes) || x_error_count != errors ||
                              attributes.map_state != IsViewable;
            return answered || gone;
        });
    XSelectInput(display, root, root_attributes.your_event_mask);
    XSync(display, False);
    XEvent dropped;
    while (XCheckMaskEvent(display, SubstructureNotifyMask, &dropped)) {
    }
    return answered;
}

void Window_close_request(X_watch& watch, X_window window)
{
    Display* display = watch.display;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}
