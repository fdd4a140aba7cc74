// In-process benchmarks on a 32-bit surface of SDL's dummy driver, whose
// flip shows nothing and costs nothing: one board redraw, one toolbar redraw,
// the fill's own bookkeeping with no drawing at all, and the fill with its
// drawing. Every heap allocation of the process is counted, so the figures
// show how many a fill makes. Ends with the share of the bookkeeping in a fill.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>
#include <benchmark/benchmark.h>
#include <SDL.h>
#include "board/geometry.h"
#include "board/square.h"
#include "board/toolbar.h"
#include "fill/region_fill.h"
#include "fill/square_colour.h"
#include "main/event_wait.h"

// The allocation count has to see every allocation in the process, the C++
// library's and SDL's included, so it replaces the C allocator's entry
// points and hands on to glibc's own. This is the one global of the file.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* pointer, std::size_t size);
}
static long allocation_count = 0;

extern "C" void* malloc(std::size_t size)
{
    ++allocation_count;
    return __libc_malloc(size);
}

extern "C" void* calloc(std::size_t count, std::size_t size)
{
    ++allocation_count;
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* pointer, std::size_t size)
{
    ++allocation_count;
    return __libc_realloc(pointer, size);
}

namespace {

constexpr Colour paints[2] = {{230, 57, 70}, {33, 158, 188}};
constexpr int interior = (squarecount - 2) * (squarecount - 2);

SDL_Surface* Screen_open()
{
    static SDL_Surface* screen = [] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        return SDL_SetVideoMode(WIDTH, HEIGHT, 32, SDL_SWSURFACE);
    }();
    return screen;
}

std::vector<Square> Board_empty()
{
    std::vector<Square> squares(squarecount * squarecount);
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    return squares;
}

void BM_Squares_draw(benchmark::State& state)
{
    SDL_Surface* screen = Screen_open();
    const std::vector<Square> squares = Board_empty();
    for (auto _ : state) {
        Squares_draw(screen, squarecount, squares, squaresize);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Squares_draw)->Unit(benchmark::kMicrosecond);

void BM_Toolbar_draw(benchmark::State& state)
{
    SDL_Surface* screen = Screen_open();
    std::vector<Colour> colours{{230, 57, 70},  {255, 183, 3}, {33, 158, 188},   {106, 176, 76},
                                {244, 162, 97}, {142, 90, 60}, {255, 255, 255}, {0, 0, 0}};
    std::vector<Toolbaritem> toolbar(colourcount);
    Toolbar_create(colourcount, toolbar, colours, menustrip);
    for (auto _ : state) {
        Toolbar_draw(screen, colourcount, toolbar, menustrip, colours[0]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Toolbar_draw)->Unit(benchmark::kMicrosecond);

// The fill's own work: the tests, the path and the recolouring, with the
// drawing left out. Each iteration repaints the whole interior in the other
// colour, so every iteration recolours all 1444 squares. Arguments: the
// start square; (1, 1) makes the deepest path, (20, 21) is the middle.
void BM_Fill_bookkeeping(benchmark::State& state)
{
    std::vector<Square> squares = Board_empty();
    const int i = static_cast<int>(state.range(0));
    const int j = static_cast<int>(state.range(1));
    long painted = 0;
    int round = 0;
    const long allocations_before = allocation_count;
    for (auto _ : state) {
        Region_fill(i, j, squarecount, squares, bordercolour, paints[round++ % 2], [&] { ++painted; });
        benchmark::DoNotOptimize(painted);
    }
    const long allocations = allocation_count - allocations_before;
    const double fills = static_cast<double>(state.iterations());
    state.counters["squares/fill"] = static_cast<double>(painted) / fills;
    state.counters["allocs/fill"] = static_cast<double>(allocations) / fills;
    state.counters["allocs/square"] = static_cast<double>(allocations) / static_cast<double>(painted);
}
BENCHMARK(BM_Fill_bookkeeping)->Args({20, 21})->Args({1, 1})->Unit(benchmark::kMicrosecond);

// The fill as the program runs it (Square_colour: a whole-board redraw and
// a flip per square), on the dummy driver, whose flip costs nothing.
void BM_Square_colour(benchmark::State& state)
{
    SDL_Surface* screen = Screen_open();
    std::vector<Square> squares = Board_empty();
    int round = 0;
    const long allocations_before = allocation_count;
    for (auto _ : state)
        Square_colour(screen, 20, 21, squarecount, squares, bordercolour, paints[round++ % 2], Event_take_in);
    const long allocations = allocation_count - allocations_before;
    const double fills = static_cast<double>(state.iterations());
    state.counters["allocs/fill"] = static_cast<double>(allocations) / fills;
    state.counters["allocs/square"] = static_cast<double>(allocations) / (fills * interior);
}
BENCHMARK(BM_Square_colour)->Unit(benchmark::kMillisecond)->Iterations(5);

// Keeps each benchmark's time per iteration (ns) for the summary.
class Keeping_reporter : public benchmark::ConsoleReporter {
public:
    Keeping_reporter() : ConsoleReporter(OO_Tabular) {}
    std::map<std::string, double> ns;
    std::map<std::string, double> allocs_per_square;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            const std::string name = run.benchmark_name();
            ns[name] = run.real_accumulated_time * 1e9 / static_cast<double>(run.iterations);
            const auto counter = run.counters.find("allocs/square");
            if (counter != run.counters.end())
                allocs_per_square[name] = counter->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Keeping_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto at = [&](const char* name) {
        const auto found = reporter.ns.find(name);
        return found == reporter.ns.end() ? 0.0 : found->second;
    };
    const double bookkeeping = at("BM_Fill_bookkeeping/20/21");
    const double deepest = at("BM_Fill_bookkeeping/1/1");
    const double fill = at("BM_Square_colour/iterations:5");
    const double board = at("BM_Squares_draw");
    if (bookkeeping > 0 && fill > 0 && board > 0) {
        std::printf("\nOne fill of the 38 x 38 interior, flips costing nothing:\n");
        std::printf("  bookkeeping from (20, 21)    %10.1f us  %6.3f %% of the fill (target < 1 %%)\n",
                    bookkeeping / 1e3, 100 * bookkeeping / fill);
        if (deepest > 0)
            std::printf("  bookkeeping from (1, 1)      %10.1f us  %6.3f %% of the fill\n", deepest / 1e3,
                        100 * deepest / fill);
        std::printf("  fill with its drawing        %10.1f ms = %.3f x 1444 board redraws\n", fill / 1e6,
                    fill / (interior * board));
        std::printf("  (a real window adds 1444 flips, so the share there is smaller still)\n");
    }
    for (const auto& [name, value] : reporter.allocs_per_square)
        std::printf("  heap allocations per recoloured square, %-28s %.5f\n", name.c_str(), value);
    return 0;
}
