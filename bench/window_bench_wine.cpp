// The Windows build's fill and floors under Wine, seen on the screen.
#include "window_bench_wine.h"
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <signal.h>
#include <span>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include "board/geometry.h"
#include "board/square.h"
#include "fill/region_fill.h"
#include "window_bench_measure.h"
#include "window_bench_timing.h"
#include "window_bench_x.h"

namespace {

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

}  // namespace

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
