// Drives the real program in a real X window: while a large fill runs, it
// queues a burst of hundreds of presses on the board and the toolbar, and
// then, during a second large fill, more presses and a close request. Every
// press must be handled after the fill, in the order it came, and the
// program must leave with status 0 once the close request's turn comes.
// Usage: burst_driver PROGRAM   (runs its own Xvfb)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <signal.h>
#include <sys/prctl.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

// The palette of the picture; none is the outline or the untouched colour.
constexpr Rgb palette[8] = {{230, 57, 70},  {255, 183, 3}, {33, 158, 188}, {106, 176, 76},
                            {244, 162, 97}, {142, 90, 60}, {90, 60, 200},  {250, 250, 250}};
constexpr Rgb untouched{200, 200, 200};
constexpr Rgb outline{20, 20, 20};

// Board rows 1-30 form one open region of 1140 squares (the large fill);
// below it, rows 32, 34, 36 and 38 hold single squares at the even columns,
// each walled in by outlines: a press there repaints exactly that square.
constexpr int region_rows = 30;
constexpr int cell_rows[] = {32, 34, 36, 38};

struct Square_at {
    int i, j;
};

std::vector<Square_at> Cells()
{
    std::vector<Square_at> cells;
    for (int j : cell_rows)
        for (int i = 2; i <= 38; i += 2)
            cells.push_back({i, j});
    return cells;
}

std::string Picture_text()
{
    std::ostringstream out;
    for (const Rgb& c : palette)
        out << c.r << ',' << c.g << ',' << c.b << '\n';
    out << "burst test: one large region above a field of walled-in squares\n";
    const std::string wall(38, 'x');
    std::string alternate;
    for (int i = 1; i <= 38; ++i)
        alternate += i % 2 ? 'x' : ' ';
    for (int j = 1; j <= 38; ++j)
        out << (j <= region_rows ? "" : j % 2 ? wall : alternate) << '\n';
    return out.str();
}

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "burst: FAIL: %s\n", why.c_str());
    std::exit(1);
}

bool Wait_until(const std::function<bool()>& done, double seconds)
{
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < end) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return done();
}

struct Display_view {
    Display* dpy;
    Window root;
    Window window = 0;   // the program's top-level window
    int ox = 0, oy = 0;  // its origin on the root window
};

Window Window_named(Display* dpy, Window w, const char* name)
{
    char* title = nullptr;
    if (XFetchName(dpy, w, &title) && title) {
        const bool same = std::string(title) == name;
        XFree(title);
        if (same)
            return w;
    }
    Window root_ret, parent;
    Window* children = nullptr;
    unsigned int n = 0;
    Window found = 0;
    if (XQueryTree(dpy, w, &root_ret, &parent, &children, &n)) {
        for (unsigned int k = 0; k < n && !found; ++k)
            found = Window_named(dpy, children[k], name);
        if (children)
            XFree(children);
    }
    return found;
}

// The board's and the toolbar's colours as the window shows them.
struct Shot {
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * 800 + x)]; }
    Rgb square(int i, int j) const { return at(i * 20 + 10, 100 + j * 20 + 10); }
};

Shot Shot_take(Display_view& v)
{
    XImage* img = XGetImage(v.dpy, v.root, v.ox, v.oy, 800, 900, AllPlanes, ZPixmap);
    if (!img)
        Fail("cannot read the window's pixels");
    auto channel = [](unsigned long p, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        return static_cast<int>(((p >> shift) & mask) * 255 / (mask ? mask : 1));
    };
    Shot s;
    s.pixels.resize(800 * 900);
    for (int y = 0; y < 900; ++y)
        for (int x = 0; x < 800; ++x) {
            const unsigned long p = XGetPixel(img, x, y);
            s.pixels[static_cast<std::size_t>(y * 800 + x)] = {channel(p, img->red_mask), channel(p, img->green_mask),
                                                                channel(p, img->blue_mask)};
        }
    XDestroyImage(img);
    return s;
}

std::string Rgb_text(Rgb c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// Queues one press and release of the first button at window pixel (x, y).
void Press(Display_view& v, int x, int y)
{
    XTestFakeMotionEvent(v.dpy, -1, v.ox + x, v.oy + y, CurrentTime);
    XTestFakeButtonEvent(v.dpy, 1, True, CurrentTime);
    XTestFakeButtonEvent(v.dpy, 1, False, CurrentTime);
}

int Region_painted(const Shot& s, Rgb colour)
{
    int n = 0;
    for (int j = 1; j <= region_rows; ++j)
        for (int i = 1; i <= 38; ++i)
            n += s.square(i, j) == colour;
    return n;
}

struct Burst {
    std::string trace;                   // what the board presses write, in order
    std::vector<Rgb> expected;           // each cell's colour once everything is handled
};

// Starts a fill of the large region in `colour` (its toolbar item pressed
// first), waits until the fill is visibly under way, then queues `rounds`
// rounds of: a toolbar press, a press on a walled-in square, and every
// fourth round a press on an outline square. Checks that the fill was still
// running once all of it had been queued.
void Burst_during_fill(Display_view& v, int item, int rounds, Burst& b, bool close_after)
{
    const std::vector<Square_at> cells = Cells();
    const Rgb colour = palette[item];
    Press(v, item * 100 + 50, 50);
    Press(v, 410, 410);
    b.trace += "410, 410";
    XSync(v.dpy, False);
    if (!Wait_until([&] { return Region_painted(Shot_take(v), colour) > 0; }, 60))
        Fail("the large fill in " + Rgb_text(colour) + " did not start");

    for (int k = 0; k < rounds; ++k) {
        const int chosen = (k * 3 + 1) % 8;
        Press(v, chosen * 100 + 50, 50 + (k % 40));
        const Square_at cell = cells[static_cast<std::size_t>((k * 7) % cells.size())];
        const int x = cell.i * 20 + 3 + k % 15;
        const int y = 100 + cell.j * 20 + 3 + k % 14;
        Press(v, x, y);
        b.trace += std::to_string(x) + ", " + std::to_string(y);
        b.expected[static_cast<std::size_t>((k * 7) % cells.size())] = palette[chosen];
        if (k % 4 == 3) {   // the outline row below the large region
            const int ox = 30 + k % 700;
            Press(v, ox, 100 + 31 * 20 + 7);
            b.trace += std::to_string(ox) + ", " + std::to_string(100 + 31 * 20 + 7);
        }
    }
    XSync(v.dpy, False);
    if (close_after) {
        // Input the server has taken is delivered before this message is sent.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        XEvent ev{};
        ev.xclient.type = ClientMessage;
        ev.xclient.window = v.window;
        ev.xclient.message_type = XInternAtom(v.dpy, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = static_cast<long>(XInternAtom(v.dpy, "WM_DELETE_WINDOW", False));
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(v.dpy, v.window, False, NoEventMask, &ev);
        XSync(v.dpy, False);
    }
    const int painted = Region_painted(Shot_take(v), colour);
    std::printf("burst: %d presses queued while the fill had painted %d of %d squares\n",
                1 + rounds * 2 + rounds / 4, painted, region_rows * 38);
    if (painted >= region_rows * 38)
        Fail("the fill ended before the burst was queued: nothing was tested");
}

}  // namespace

// Starts a private Xvfb on a display it chooses itself; its pid in *pid.
std::string Xvfb_start(pid_t* pid)
{
    int fds[2];
    if (pipe(fds) != 0)
        Fail("pipe");
    *pid = fork();
    if (*pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        if (!freopen("/dev/null", "w", stderr))
            _exit(127);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x1000x24", "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(fds[0]);
    if (number.empty())
        Fail("Xvfb did not start");
    return ":" + number;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: burst_driver PROGRAM\n");
        return 2;
    }
    char pattern[] = "/tmp/tintora-burst-XXXXXX";
    if (!mkdtemp(pattern))
        Fail("mkdtemp");
    const std::filesystem::path folder = pattern;
    std::ofstream(folder / "burst.txt") << Picture_text();
    std::filesystem::create_symlink(std::filesystem::absolute(argv[1]), folder / "burst");

    pid_t xvfb = -1;
    const std::string display = Xvfb_start(&xvfb);
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    Display* dpy = nullptr;
    Wait_until([&] { return (dpy = XOpenDisplay(display.c_str())) != nullptr; }, 30);
    if (!dpy)
        Fail("cannot open the display " + display);
    int ev_base, err_base, major, minor;
    if (!XTestQueryExtension(dpy, &ev_base, &err_base, &major, &minor))
        Fail("the X server has no XTest");

    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);   // never outlives a failed run
        if (chdir(folder.c_str()) != 0 || !freopen("stdout.txt", "w", stdout) || !freopen("stderr.txt", "w", stderr))
            _exit(127);
        execl("./burst", "./burst", static_cast<char*>(nullptr));
        _exit(127);
    }
    auto give_up = [&](const std::string& why) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        Fail(why);
    };

    Display_view v{dpy, DefaultRootWindow(dpy)};
    if (!Wait_until([&] { return (v.window = Window_named(dpy, v.root, "Tintora")) != 0; }, 60))
        give_up("no window named Tintora appeared");
    Window child;
    if (!Wait_until([&] {
            XTranslateCoordinates(dpy, v.window, v.root, 0, 0, &v.ox, &v.oy, &child);
            return Shot_take(v).square(20, 15) == untouched;
        }, 60))
        give_up("the first picture was not shown");

    Burst b;
    b.expected.assign(Cells().size(), untouched);

    // First fill: hundreds of presses queued behind it, then everything is
    // checked on the screen once the program has caught up.
    Burst_during_fill(v, 0, 240, b, false);
    const std::vector<Square_at> cells = Cells();
    auto caught_up = [&] {
        const Shot s = Shot_take(v);
        if (Region_painted(s, palette[0]) != region_rows * 38)
            return false;
        for (std::size_t k = 0; k < cells.size(); ++k)
            if (!(s.square(cells[k].i, cells[k].j) == b.expected[k]))
                return false;
        return true;
    };
    if (!Wait_until(caught_up, 120)) {
        const Shot s = Shot_take(v);
        std::string diff;
        for (std::size_t k = 0; k < cells.size(); ++k) {
            const Rgb got = s.square(cells[k].i, cells[k].j);
            if (!(got == b.expected[k]))
                diff += " (" + std::to_string(cells[k].i) + "," + std::to_string(cells[k].j) + ") is " +
                        Rgb_text(got) + " not " + Rgb_text(b.expected[k]) + ";";
        }
        give_up("after the burst the screen is not as the presses in order make it:" + diff +
                " large region painted " + std::to_string(Region_painted(s, palette[0])));
    }
    {
        const Shot s = Shot_take(v);
        if (!(s.at(10, 100 + 31 * 20 + 7) == outline))
            give_up("the outline row was repainted");
    }

    // Second fill: more presses and then a close request behind it.
    Burst_during_fill(v, 3, 120, b, true);
    int status = 0;
    if (!Wait_until([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 120))
        give_up("the program did not leave after the close request");
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        Fail("the program ended with status " + std::to_string(status));

    std::ifstream in(folder / "stdout.txt");
    const std::string trace((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (trace != b.trace) {
        std::size_t k = 0;
        while (k < trace.size() && k < b.trace.size() && trace[k] == b.trace[k])
            ++k;
        Fail("the trace differs from the presses in order at byte " + std::to_string(k) + " of " +
             std::to_string(b.trace.size()) + " (got " + std::to_string(trace.size()) + " bytes)");
    }
    std::ifstream err_in(folder / "stderr.txt");
    const std::string err((std::istreambuf_iterator<char>(err_in)), std::istreambuf_iterator<char>());
    if (!err.empty())
        Fail("the program wrote to standard error: " + err);
    std::printf("burst: all presses handled in order, %zu bytes of trace, exit status 0\n", trace.size());
    XCloseDisplay(dpy);
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
    std::filesystem::remove_all(folder);
    return 0;
}
