// Whole-process benchmark in a real X window (scripts/bench starts its own
// Xvfb): on each SDL 1.2 implementation, a fill of the empty interior from a
// real click to its last flip beside the floors, and start-up beside an empty
// program; and the Windows build's fill under Wine when given. Flips are
// timed by the preloaded flip_shim; clicks and keys go through XTest.
// The measurements are in window_bench_measure.cpp and window_bench_wine.cpp;
// this file runs them side by side and prints the figures and targets.
// Usage: window_bench BUILD_DIR [REPEATS [WINDOWS_DIR]]
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include "window_bench_measure.h"
#include "window_bench_process.h"
#include "window_bench_timing.h"
#include "window_bench_wine.h"

namespace {

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
