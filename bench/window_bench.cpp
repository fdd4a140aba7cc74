// Whole-process benchmark in a real X window (scripts/bench starts its own
// Xvfb): on each SDL 1.2 implementation, a fill of the empty interior from a
// real click to its last flip beside the floors, and start-up beside an empty
// program. Flips are timed by the preloaded flip_shim; clicks and keys go
// through XTest. Usage: window_bench BUILD_DIR [REPEATS]
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include "board/geometry.h"
#include "board/square.h"
#include "fill/region_fill.h"

extern char** environ;

namespace {

constexpr int interior_squares = 1444;   // an empty 38 x 38 interior
constexpr int click_x = 410;             // square (20, 21), inside the interior
constexpr int click_y = 530;

struct Implementation {
    std::string name;
    std::vector<std::string> environment;   // added to the inherited one
};

struct Child {
    pid_t pid = -1;
    int flips = -1;    // read end of the flip timestamps
    int output = -1;   // read end of standard output, when captured
    std::int64_t started = 0;
};

struct Ended {
    int status = 0;
    long peak_kb = 0;
};

std::int64_t Clock_ns()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double Ms(std::int64_t ns)
{
    return static_cast<double>(ns) / 1e6;
}

// The least of the runs: other load on the machine only ever adds time, so
// the fastest run is the closest to what the work itself costs.
double Best(const std::vector<double>& values)
{
    return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

void Append(std::vector<double>& to, const std::vector<double>& from)
{
    to.insert(to.end(), from.begin(), from.end());
}

// Starts program (argv[0] = name) in directory dir with the flip shim
// preloaded; the clock starts just before the fork.
Child Child_start(const std::string& program, const std::string& name, const std::string& dir,
                  const std::string& shim, const Implementation& implementation, bool capture_output)
{
    int flip_pipe[2];
    int output_pipe[2] = {-1, -1};
    if (pipe2(flip_pipe, O_CLOEXEC) != 0 || (capture_output && pipe2(output_pipe, O_CLOEXEC) != 0)) {
        std::perror("pipe");
        std::exit(1);
    }
    constexpr int flip_fd = 100;
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e)
        env_strings.emplace_back(*e);
    auto put = [&](const std::string& entry) {
        const std::string key = entry.substr(0, entry.find('=') + 1);
        std::erase_if(env_strings, [&](const std::string& s) { return s.starts_with(key); });
        env_strings.push_back(entry);
    };
    put("LD_PRELOAD=" + shim);
    put("TINTORA_BENCH_FLIP_FD=" + std::to_string(flip_fd));
    for (const std::string& entry : implementation.environment)
        put(entry);
    std::vector<char*> envp;
    for (std::string& s : env_strings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string arg0 = name;
    char* argv[] = {arg0.data(), nullptr};

    Child child;
    child.started = Clock_ns();
    child.pid = fork();
    if (child.pid == 0) {
        dup2(flip_pipe[1], flip_fd);
        const int null_fd = open("/dev/null", O_WRONLY);
        dup2(capture_output ? output_pipe[1] : null_fd, 1);
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    close(flip_pipe[1]);
    child.flips = flip_pipe[0];
    if (capture_output) {
        close(output_pipe[1]);
        child.output = output_pipe[0];
    }
    return child;
}

// The next flip's timestamp, or nothing at the end of the stream or after
// timeout_ms.
std::optional<std::int64_t> Flip_next(const Child& child, int timeout_ms)
{
    pollfd p{child.flips, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0)
        return std::nullopt;
    std::int64_t ns = 0;
    std::size_t got = 0;
    while (got < sizeof ns) {
        const ssize_t n = read(child.flips, reinterpret_cast<char*>(&ns) + got, sizeof ns - got);
        if (n <= 0)
            return std::nullopt;
        got += static_cast<std::size_t>(n);
    }
    return ns;
}

std::string Output_read(const Child& child)
{
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(child.output, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

// Waits for the child to end; after timeout_ms it is asked to quit (SIGTERM,
// which SDL turns into a quit request) and then killed.
Ended Child_wait(Child& child, int timeout_ms)
{
    Ended ended;
    rusage usage{};
    std::int64_t deadline = Clock_ns() + std::int64_t{timeout_ms} * 1000000;
    bool asked = false;
    for (;;) {
        const pid_t done = wait4(child.pid, &ended.status, WNOHANG, &usage);
        if (done == child.pid)
            break;
        if (Clock_ns() > deadline) {
            kill(child.pid, asked ? SIGKILL : SIGTERM);
            deadline = Clock_ns() + std::int64_t{5000} * 1000000;
            asked = true;
        }
        usleep(2000);
    }
    ended.peak_kb = usage.ru_maxrss;
    close(child.flips);
    if (child.output >= 0)
        close(child.output);
    return ended;
}

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

// Where the window's pixel (0, 0) is on the screen, waiting up to 5 s for
// the window to appear. The window also gets the keyboard, as a window
// manager would give it on a click: with none, a window of the layer that
// closed earlier can leave the focus on no window at all.
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

struct Fill_result {
    bool ok = false;
    std::int64_t fill_ns = 0;           // click to the last square's flip
    std::vector<double> steps_ms;       // from each square's flip to the next
    int squares = 0;                    // flips after the click
    long peak_kb = 0;
};

// Runs the program on the empty picture, clicks the interior once, and
// times the fill from the click to its last flip; then quits with Escape.
Fill_result Fill_measure(Display* display, const std::string& build, const std::string& dir,
                         const std::string& shim, const Implementation& implementation)
{
    Fill_result result;
    Child child = Child_start(build + "/tintora", "empty", dir, shim, implementation, false);
    const std::optional<std::int64_t> first_picture = Flip_next(child, 20000);
    const auto origin = first_picture ? Window_origin(display, "Tintora") : std::nullopt;
    if (!origin) {
        std::fprintf(stderr, "%s: no first picture\n", implementation.name.c_str());
        Child_wait(child, 0);
        return result;
    }
    XTestFakeMotionEvent(display, DefaultScreen(display), origin->first + click_x, origin->second + click_y, CurrentTime);
    XSync(display, False);
    usleep(50000);   // let the motion arrive on its own
    const std::int64_t click = Clock_ns();
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XTestFakeButtonEvent(display, 1, False, CurrentTime);
    XFlush(display);
    std::int64_t last = 0;
    while (result.squares < interior_squares) {
        const std::optional<std::int64_t> flip = Flip_next(child, 120000);
        if (!flip)
            break;
        if (result.squares > 0)
            result.steps_ms.push_back(Ms(*flip - last));
        last = *flip;
        ++result.squares;
    }
    Key_press(display, XK_Escape);
    // Flips after the fill's last would mean the fill was not what was timed.
    while (Flip_next(child, 10000))
        ++result.squares;
    const Ended ended = Child_wait(child, 10000);
    result.peak_kb = ended.peak_kb;
    result.fill_ns = last - click;
    result.ok = result.squares == interior_squares && WIFEXITED(ended.status) && WEXITSTATUS(ended.status) == 0;
    if (!result.ok)
        std::fprintf(stderr, "%s: fill gave %d flips, exit status %d\n", implementation.name.c_str(), result.squares,
                     ended.status);
    return result;
}

struct Floor_result {
    bool ok = false;
    std::int64_t demanded_ns = 0, least_ns = 0, flip_ns = 0;
    std::vector<double> demanded_steps_ms, least_steps_ms, flip_steps_ms;   // flip to flip
};

Floor_result Floor_measure(const std::string& build, const std::string& dir, const std::string& shim,
                           const Implementation& implementation)
{
    Floor_result result;
    Child child = Child_start(build + "/bench/flip_floor", "flip_floor", dir, shim, implementation, true);
    // The first flip shows the window; then three phases of 1444 flips.
    std::vector<std::int64_t> flips;
    while (const std::optional<std::int64_t> flip = Flip_next(child, 300000))
        flips.push_back(*flip);
    const std::string text = Output_read(child);
    const Ended ended = Child_wait(child, 10000);
    if (text.empty())
        std::fprintf(stderr, "%s: flip_floor gave no figures, exit status %d\n", implementation.name.c_str(),
                     ended.status);
    long long demanded = 0, least = 0, flip = 0;
    result.ok = WIFEXITED(ended.status) && WEXITSTATUS(ended.status) == 0 &&
                std::sscanf(text.c_str(), "%lld %lld %lld", &demanded, &least, &flip) == 3 &&
                flips.size() == 1 + 3 * interior_squares;
    result.demanded_ns = demanded;
    result.least_ns = least;
    result.flip_ns = flip;
    if (result.ok) {
        std::vector<double>* phases[3] = {&result.demanded_steps_ms, &result.least_steps_ms, &result.flip_steps_ms};
        for (std::size_t k = 1; k < flips.size(); ++k)
            phases[(k - 1) / interior_squares]->push_back(Ms(flips[k] - flips[k - 1]));
    }
    return result;
}

struct Startup_result {
    bool ok = false;
    std::int64_t first_picture_ns = 0;   // exec to the first flip's return
    long peak_kb = 0;
};

// Start-up of a program that shows its first picture and then either waits
// (the real one, asked to quit with SIGTERM once timed) or quits by itself
// (the empty one).
Startup_result Startup_measure(const std::string& program, const std::string& name, const std::string& dir,
                               const std::string& shim, const Implementation& implementation, bool quits_itself)
{
    Startup_result result;
    Child child = Child_start(program, name, dir, shim, implementation, false);
    const std::optional<std::int64_t> first = Flip_next(child, 20000);
    const Ended ended = Child_wait(child, quits_itself ? 20000 : 0);
    result.ok = first.has_value() && WIFEXITED(ended.status) && WEXITSTATUS(ended.status) == 0;
    if (first)
        result.first_picture_ns = *first - child.started;
    result.peak_kb = ended.peak_kb;
    if (!result.ok)
        std::fprintf(stderr, "%s: %s showed %s, exit status %d\n", implementation.name.c_str(), name.c_str(),
                     first ? "its first picture" : "no picture", ended.status);
    return result;
}

// A picture whose interior holds no outline at all, and a name to run the
// program under so that it reads it.
std::string Picture_dir_make(const std::string& build)
{
    char pattern[] = "/tmp/tintora-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    const std::string path = std::string(dir) + "/empty.txt";
    FILE* file = std::fopen(path.c_str(), "w");
    std::fputs("230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0\n"
               "An empty board: one region of 38 x 38 squares\n",
               file);
    std::fclose(file);
    const std::string real = build + "/tintora";
    if (symlink(real.c_str(), (std::string(dir) + "/empty").c_str()) != 0) {
        std::perror("symlink");
        std::exit(1);
    }
    return dir;
}

void Picture_dir_remove(const std::string& dir)
{
    unlink((dir + "/empty").c_str());
    unlink((dir + "/empty.txt").c_str());
    rmdir(dir.c_str());
}

// The Windows build under Wine (scripts/bench passes the folder that
// scripts/build-windows filled). No preload can time a Windows program's
// flips, so the fill's end is seen on the screen: the square the fill
// recolours last is polled until it shows the colour. The floor is
// flip_floor.exe, which times itself, in the same window under Wine.
struct Wine_result {
    bool ok = false;
    std::int64_t fill_ns = 0;
    std::int64_t demanded_ns = 0, least_ns = 0, flip_ns = 0;
};

// The square that a fill of the empty interior from the click recolours last.
std::pair<int, int> Fill_last_square()
{
    std::vector<Square> squares(static_cast<std::size_t>(squarecount * squarecount));
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    std::vector<Square> before = squares;
    std::pair<int, int> last{-1, -1};
    Region_fill(click_x / squaresize, (click_y - menustrip) / squaresize, squarecount, std::span<Square>(squares),
                bordercolour, Colour{230, 57, 70}, [&] {
                    for (std::size_t k = 0; k < squares.size(); ++k)
                        if (!Colour_cmp(squares[k].c, before[k].c)) {
                            last = {static_cast<int>(k) / squarecount, static_cast<int>(k) % squarecount};
                            before[k] = squares[k];
                        }
                });
    return last;
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

pid_t Wine_start(const std::string& dir, const std::string& exe, int output)
{
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("SDL_STDIO_REDIRECT", "0", 1);
        dup2(output, 1);
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        execlp("wine", "wine", exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int Wine_wait(pid_t pid, int timeout_ms)
{
    int status = -1;
    for (int waited = 0; waited < timeout_ms; waited += 10) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return status;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

Wine_result Wine_measure(Display* display, const std::string& dir)
{
    Wine_result result;
    const int null_fd = open("/dev/null", O_WRONLY | O_CLOEXEC);
    const pid_t program = Wine_start(dir, "empty.exe", null_fd);
    std::optional<std::pair<int, int>> origin;
    for (int tries = 0; tries < 6 && !origin; ++tries)
        origin = Window_origin(display, "Tintora");
    constexpr unsigned long red = 230ul << 16 | 57ul << 8 | 70ul;
    constexpr unsigned long grey = 200ul << 16 | 200ul << 8 | 200ul;
    const auto [last_i, last_j] = Fill_last_square();
    bool shown = false;
    if (origin) {
        const int x = origin->first + squaresize * last_i + squaresize / 2;
        const int y = origin->second + menustrip + squaresize * last_j + squaresize / 2;
        for (int tries = 0; tries < 2000 && !shown; ++tries) {
            shown = Pixel_read(display, x, y) == grey;
            if (!shown)
                usleep(5000);
        }
        XTestFakeMotionEvent(display, DefaultScreen(display), origin->first + click_x, origin->second + click_y,
                             CurrentTime);
        XSync(display, False);
        usleep(300000);   // Wine takes the motion in before the press
        const std::int64_t click = Clock_ns();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        bool filled = false;
        while (!filled && Clock_ns() - click < std::int64_t{120} * 1000000000) {
            filled = Pixel_read(display, x, y) == red;
            if (!filled)
                usleep(500);
        }
        result.fill_ns = Clock_ns() - click;
        Key_press(display, XK_Escape);
        result.ok = shown && filled;
    }
    const int status = Wine_wait(program, 20000);
    result.ok = result.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!result.ok)
        std::fprintf(stderr, "Wine: the fill was not seen to its end (exit status %d)\n", status);

    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return result;
    const pid_t floor = Wine_start(dir, "flip_floor.exe", output[1]);
    close(output[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(output[0]);
    const int floor_status = Wine_wait(floor, 300000);
    long long demanded = 0, least = 0, flip = 0;
    const bool floor_ok = WIFEXITED(floor_status) && WEXITSTATUS(floor_status) == 0 &&
                          std::sscanf(text.c_str(), "%lld %lld %lld", &demanded, &least, &flip) == 3;
    if (!floor_ok)
        std::fprintf(stderr, "Wine: flip_floor.exe gave no figures (exit status %d)\n", floor_status);
    result.ok = result.ok && floor_ok;
    result.demanded_ns = demanded;
    result.least_ns = least;
    result.flip_ns = flip;
    close(null_fd);
    return result;
}

// The Windows program, its floor and their DLLs, linked into the picture
// folder under the names they run by there.
bool Wine_dir_fill(const std::string& dir, const std::string& windows)
{
    bool ok = symlink((windows + "/tintora.exe").c_str(), (dir + "/empty.exe").c_str()) == 0 &&
              symlink((windows + "/tintora/flip_floor.exe").c_str(), (dir + "/flip_floor.exe").c_str()) == 0;
    for (const char* dll : {"SDL.dll", "libSDL_gfx-15.dll"})
        ok = ok && symlink((windows + "/" + dll).c_str(), (dir + "/" + dll).c_str()) == 0;
    return ok;
}

void Wine_dir_empty(const std::string& dir)
{
    for (const char* name : {"empty.exe", "flip_floor.exe", "SDL.dll", "libSDL_gfx-15.dll", "stdout.txt", "stderr.txt"})
        unlink((dir + "/" + name).c_str());
}

struct Figures {
    std::vector<double> fill, demanded, least, flip;   // whole runs
    std::vector<double> fill_steps, demanded_steps, least_steps, flip_steps;
    std::vector<double> startup, startup_empty;
    long peak_kb = 0, peak_empty_kb = 0, peak_fill_kb = 0;
    bool failed = false;
};

const char* Verdict(bool met)
{
    return met ? "meets" : "MISSES";
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BUILD_DIR [REPEATS [WINDOWS_DIR]]\n", argv[0]);
        return 2;
    }
    char resolved[PATH_MAX];
    if (!realpath(argv[1], resolved)) {
        std::perror(argv[1]);
        return 2;
    }
    const std::string build = resolved;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string shim = build + "/bench/libflip_shim.so";
    const char* compat_dir = std::getenv("TINTORA_COMPAT_DIR");
    const std::string compat = compat_dir && *compat_dir ? compat_dir : "/usr/lib/x86_64-linux-gnu/sdl12-compat";

    Display* display = XOpenDisplay(nullptr);
    int event_base, error_base, major, minor;
    if (!display || !XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
        std::fputs("window_bench: needs an X display with the XTest extension (DISPLAY)\n", stderr);
        return 2;
    }
    const std::string dir = Picture_dir_make(build);

    // The third line shows what the layer does when SDL picks its own
    // renderer: empty values are the user's setting, so the program keeps
    // its hands off, and SDL treats them as unset.
    const std::vector<Implementation> implementations = {
        {"original SDL 1.2", {}},
        {"compatibility layer", {"LD_LIBRARY_PATH=" + compat}},
        {"layer, SDL's own renderer", {"LD_LIBRARY_PATH=" + compat, "SDL_RENDER_DRIVER=", "SDL_FRAMEBUFFER_ACCELERATION="}},
    };
    std::vector<Figures> figures(implementations.size());

    // Side by side: every repeat runs every implementation, so a busy moment
    // of the machine falls on all of them alike. The last line is slow and
    // only informative: it runs once.
    for (int repeat = 0; repeat < repeats; ++repeat) {
        for (std::size_t k = 0; k < implementations.size(); ++k) {
            const Implementation& implementation = implementations[k];
            Figures& f = figures[k];
            if (k == 2 && repeat > 0)
                continue;
            for (int s = 0; s < 2; ++s) {
                const Startup_result empty =
                    Startup_measure(build + "/bench/empty_window", "empty_window", dir, shim, implementation, true);
                const Startup_result real = Startup_measure(build + "/tintora", "empty", dir, shim, implementation, false);
                f.failed |= !empty.ok || !real.ok;
                f.startup_empty.push_back(Ms(empty.first_picture_ns));
                f.startup.push_back(Ms(real.first_picture_ns));
                f.peak_empty_kb = std::max(f.peak_empty_kb, empty.peak_kb);
                f.peak_kb = std::max(f.peak_kb, real.peak_kb);
            }
            const Fill_result fill = Fill_measure(display, build, dir, shim, implementation);
            f.failed |= !fill.ok;
            if (fill.ok) {
                f.fill.push_back(Ms(fill.fill_ns));
                Append(f.fill_steps, fill.steps_ms);
            }
            f.peak_fill_kb = std::max(f.peak_fill_kb, fill.peak_kb);
            const Floor_result floor = Floor_measure(build, dir, shim, implementation);
            f.failed |= !floor.ok;
            if (floor.ok) {
                f.demanded.push_back(Ms(floor.demanded_ns));
                f.least.push_back(Ms(floor.least_ns));
                f.flip.push_back(Ms(floor.flip_ns));
                Append(f.demanded_steps, floor.demanded_steps_ms);
                Append(f.least_steps, floor.least_steps_ms);
                Append(f.flip_steps, floor.flip_steps_ms);
            }
            std::fprintf(stderr, "  run %d, %s: fill %.0f ms, demanded floor %.0f ms\n", repeat + 1,
                         implementation.name.c_str(), Ms(fill.fill_ns), Ms(floor.demanded_ns));
        }
    }
    // The Windows build under Wine, when given: whole fills only.
    std::vector<Wine_result> wine_runs;
    if (argc > 3 && Wine_dir_fill(dir, argv[3])) {
        for (int repeat = 0; repeat < repeats; ++repeat) {
            wine_runs.push_back(Wine_measure(display, dir));
            std::fprintf(stderr, "  run %d, Windows build under Wine: fill %.0f ms, demanded floor %.0f ms\n",
                         repeat + 1, Ms(wine_runs.back().fill_ns), Ms(wine_runs.back().demanded_ns));
        }
    }
    Wine_dir_empty(dir);
    Picture_dir_remove(dir);
    XCloseDisplay(display);

    std::printf("\nWhole-interior fill (1444 squares): click to last flip, and the floors; best of %d runs (ms)\n",
                repeats);
    std::printf("%-27s %9s %9s %9s %11s\n", "", "fill", "demanded", "least", "1444 flips");
    for (std::size_t k = 0; k < implementations.size(); ++k) {
        const Figures& f = figures[k];
        std::printf("%-27s %9.0f %9.0f %9.0f %11.0f\n", implementations[k].name.c_str(), Best(f.fill),
                    Best(f.demanded), Best(f.least), Best(f.flip));
    }
    // A step is one recoloured square: from one flip's return to the next.
    // Its median over every step of every run is what the work costs when
    // nothing else on the machine interrupts; the ratios use it.
    std::printf("\nOne step, flip to flip: median over all steps (ms)\n");
    std::printf("%-27s %9s %9s %9s %9s %10s %9s\n", "", "fill", "demanded", "least", "flip", "fill/dem.", "fill/lst");
    for (std::size_t k = 0; k < implementations.size(); ++k) {
        const Figures& f = figures[k];
        std::printf("%-27s %9.3f %9.3f %9.3f %9.3f %10.3f %9.3f\n", implementations[k].name.c_str(),
                    Median(f.fill_steps), Median(f.demanded_steps), Median(f.least_steps), Median(f.flip_steps),
                    Median(f.fill_steps) / Median(f.demanded_steps), Median(f.fill_steps) / Median(f.least_steps));
    }
    std::printf("\nStart-up, exec to first picture flipped; best of %d runs (ms), peak resident memory (KiB)\n",
                2 * repeats);
    std::printf("%-27s %9s %9s %7s %11s %11s %11s\n", "", "program", "empty", "ratio", "peak prog.", "peak empty",
                "peak fill");
    for (std::size_t k = 0; k < implementations.size(); ++k) {
        const Figures& f = figures[k];
        std::printf("%-27s %9.1f %9.1f %7.2f %11ld %11ld %11ld\n", implementations[k].name.c_str(), Best(f.startup),
                    Best(f.startup_empty), Best(f.startup) / Best(f.startup_empty), f.peak_kb, f.peak_empty_kb,
                    f.peak_fill_kb);
    }

    const Figures& original = figures[0];
    const Figures& layer = figures[1];
    std::printf("\nTargets (steps: medians; whole fills: best runs)\n");
    for (std::size_t k = 0; k < 2; ++k) {
        const Figures& f = figures[k];
        const double step = Median(f.fill_steps) / Median(f.demanded_steps);
        const double whole = Best(f.fill) / Best(f.demanded);
        std::printf("  fill / demanded floor, %-20s  step %6.3f  whole %6.3f  (<= 1.15)  %s\n",
                    implementations[k].name.c_str(), step, whole, Verdict(step <= 1.15));
    }
    const double layer_step = Median(layer.fill_steps) / Median(original.fill_steps);
    const double layer_whole = Best(layer.fill) / Best(original.fill);
    std::printf("  fill on the layer / on the original         step %6.2f  whole %6.2f  (<= 3)     %s\n", layer_step,
                layer_whole, Verdict(layer_step <= 3));
    std::printf("    with SDL's own renderer on the layer      step %6.2f  whole %6.2f\n",
                Median(figures[2].fill_steps) / Median(original.fill_steps), Best(figures[2].fill) / Best(original.fill));
    for (std::size_t k = 0; k < 2; ++k) {
        const double r = Best(figures[k].startup) / Best(figures[k].startup_empty);
        std::printf("  start-up / empty program, %-17s %6.2f  (<= 2)     %s\n", implementations[k].name.c_str(), r,
                    Verdict(r <= 2));
    }
    bool failed = false;
    if (!wine_runs.empty()) {
        std::vector<double> fill, demanded, least, flip;
        for (const Wine_result& run : wine_runs) {
            failed |= !run.ok;
            if (run.ok) {
                fill.push_back(Ms(run.fill_ns));
                demanded.push_back(Ms(run.demanded_ns));
                least.push_back(Ms(run.least_ns));
                flip.push_back(Ms(run.flip_ns));
            }
        }
        std::printf("\nWindows build under Wine: whole-interior fill, click to the last square seen on the screen,\n"
                    "and the floors timed by flip_floor.exe; best of %d runs (ms)\n",
                    static_cast<int>(wine_runs.size()));
        std::printf("%-27s %9s %9s %9s %11s\n", "", "fill", "demanded", "least", "1444 flips");
        std::printf("%-27s %9.0f %9.0f %9.0f %11.0f\n", "Windows build, Wine", Best(fill), Best(demanded), Best(least),
                    Best(flip));
        const double whole = Best(fill) / Best(demanded);
        std::printf("  fill / demanded floor, Windows build under Wine  whole %6.3f  (<= 1.15)  %s\n", whole,
                    Verdict(whole <= 1.15));
    }
    for (const Figures& f : figures)
        failed |= f.failed;
    if (failed)
        std::printf("\nSome runs failed (see above): their figures are not to be trusted.\n");
    return failed ? 1 : 0;
}
