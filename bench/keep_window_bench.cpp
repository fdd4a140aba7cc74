// Keeping a colouring in a real window (scripts/bench starts its own Xvfb),
// on the original SDL 1.2: the whole-interior fill from a real click to its
// last flip with keeping on (TINTORA_KEEP, as the book starts the painter)
// and off, alternately, beside the floor flip_floor times in the same kind
// of window in each repeat (1444 whole-board redraws with a flip each, the
// least the fill must do); and start-up to the first picture flipped with no
// keeping, with keeping asked but nothing kept yet, and with the whole
// interior kept, which the painter lays over the board before its first flip.
// Usage: keep_window_bench BUILD_DIR [REPEATS]
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <unistd.h>
#include <X11/Xlib.h>
#include "window_bench_measure.h"
#include "window_bench_process.h"
#include "window_bench_timing.h"

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s BUILD_DIR [REPEATS]\n", argv[0]);
        return 2;
    }
    char resolved[PATH_MAX];
    if (!realpath(argv[1], resolved)) {
        std::perror(argv[1]);
        return 2;
    }
    const std::string build = resolved;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string shim = build + "/bench/libflip_shim.so";
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("keep_window_bench: needs an X display (DISPLAY)\n", stderr);
        return 2;
    }
    const std::string dir = Picture_dir_make(build);
    const std::string kept = dir + "/empty.own.colouring";
    const Implementation off{"keeping off", {}};
    const Implementation on{"keeping on", {"TINTORA_KEEP=" + kept}};

    std::vector<double> fill_off, fill_on, floor, start_off, start_asked, start_kept;
    bool failed = false;
    for (int repeat = 0; repeat < repeats; ++repeat) {
        const Fill_result a = Fill_measure(display, build, dir, shim, off);
        unlink(kept.c_str());
        const Fill_result b = Fill_measure(display, build, dir, shim, on);
        failed |= !a.ok || !b.ok;
        if (a.ok)
            fill_off.push_back(Ms(a.fill_ns));
        if (b.ok)
            fill_on.push_back(Ms(b.fill_ns));
        const Floor_result least = Floor_measure(build, dir, shim, off);
        failed |= !least.ok;
        if (least.ok)
            floor.push_back(Ms(least.demanded_ns));
        // The fill above left the whole interior kept.
        const Startup_result with_kept = Startup_measure(build + "/tintora", "empty", dir, shim, on, false);
        const std::string moved = kept + ".away";
        rename(kept.c_str(), moved.c_str());
        const Startup_result asked = Startup_measure(build + "/tintora", "empty", dir, shim, on, false);
        const Startup_result plain = Startup_measure(build + "/tintora", "empty", dir, shim, off, false);
        rename(moved.c_str(), kept.c_str());
        failed |= !with_kept.ok || !asked.ok || !plain.ok;
        start_kept.push_back(Ms(with_kept.first_picture_ns));
        start_asked.push_back(Ms(asked.first_picture_ns));
        start_off.push_back(Ms(plain.first_picture_ns));
        std::fprintf(stderr, "  run %d: fill off %.0f ms, on %.0f ms, floor %.0f ms\n", repeat + 1, Ms(a.fill_ns),
                     Ms(b.fill_ns), Ms(least.demanded_ns));
    }
    unlink(kept.c_str());
    Picture_dir_remove(dir);
    XCloseDisplay(display);

    std::printf("\nWhole-interior fill (1444 squares), click to last flip, original SDL 1.2 (ms)\n");
    std::printf("%-14s %9s %9s\n", "", "best", "median");
    std::printf("%-14s %9.0f %9.0f\n", "keeping off", Best(fill_off), Median(fill_off));
    std::printf("%-14s %9.0f %9.0f\n", "keeping on", Best(fill_on), Median(fill_on));
    std::printf("%-14s %9.0f %9.0f\n", "floor", Best(floor), Median(floor));
    std::printf("  on / off, best runs: %.3f\n", Best(fill_on) / Best(fill_off));
    std::printf("  on / floor, best runs: %.3f; off / floor: %.3f\n", Best(fill_on) / Best(floor),
                Best(fill_off) / Best(floor));
    std::printf("\nStart-up, exec to first picture flipped (ms)\n");
    std::printf("%-30s %9s %9s\n", "", "best", "median");
    std::printf("%-30s %9.1f %9.1f\n", "not keeping", Best(start_off), Median(start_off));
    std::printf("%-30s %9.1f %9.1f\n", "keeping, nothing kept yet", Best(start_asked), Median(start_asked));
    std::printf("%-30s %9.1f %9.1f\n", "keeping, whole interior kept", Best(start_kept), Median(start_kept));
    return failed ? 1 : 0;
}
