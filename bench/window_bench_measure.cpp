// The Linux program's fill, its floors and start-up, in a real window.
#include "window_bench_measure.h"
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include "window_bench_timing.h"
#include "window_bench_x.h"

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
