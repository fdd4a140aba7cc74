// The picture maker's costs, in-process on a 32-bit surface of SDL's dummy
// driver (its flip and updates show nothing and cost nothing, so the figures
// are the maker's own work): one stroke of 1,000 pointer motions, each
// drawing only the squares it changed; the whole window drawn again, which
// is what the region tints cost for each motion; making a picture's text;
// a whole save (a new file, forced to the disk, renamed over the old), and
// the maker's own save with its look again; opening a file; a title's check.
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <benchmark/benchmark.h>
#include <SDL.h>
#include "draw/draw_screen.h"
#include "draw/drawing.h"
#include "draw/drawing_open.h"
#include "draw/file_replace.h"
#include "draw/picture_save.h"
#include "draw/picture_write.h"
#include "draw/stroke.h"

namespace {

SDL_Surface* screen = nullptr;

// A pointer position along a spiral over the board, a few pixels from the
// last: how a hand drawing at a steady pace reports itself.
std::pair<int, int> Pointer_at(int k)
{
    const double turn = k * 0.02;
    const double radius = 40 + k * 0.3;
    return {400 + static_cast<int>(std::lround(radius * std::cos(turn))),
            500 + static_cast<int>(std::lround(radius * std::sin(turn)))};
}

// 1,000 motions of one stroke, each taken on and drawn as the window does.
void BM_Stroke_1000_motions(benchmark::State& state)
{
    const Draw_look look{false, state.range(0) != 0};
    for (auto _ : state) {
        state.PauseTiming();
        Drawing drawing = Drawing_new();
        Drawing_show(screen, drawing, look);
        Stroke stroke;
        state.ResumeTiming();
        auto [x, y] = Pointer_at(0);
        Drawing_show_changed(screen, drawing, look, Stroke_begin(stroke, drawing, Board_square_at(x, y), bordercolour, false));
        for (int k = 1; k < 1000; ++k) {
            std::tie(x, y) = Pointer_at(k);
            Drawing_show_changed(screen, drawing, look, Stroke_move(stroke, drawing, Board_square_at(x, y), false));
        }
        benchmark::DoNotOptimize(stroke.edit.squares.data());
    }
    state.counters["per_motion"] =
        benchmark::Counter(1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert,
                           benchmark::Counter::kIs1000);
}
BENCHMARK(BM_Stroke_1000_motions)->Arg(0)->Arg(1)->ArgName("region_tints")->Unit(benchmark::kMillisecond);

// The whole window drawn: the price of redrawing everything on each motion.
void BM_Window_whole_redraw(benchmark::State& state)
{
    const Drawing drawing = Drawing_new();
    for (auto _ : state)
        Drawing_show(screen, drawing, Draw_look{});
}
BENCHMARK(BM_Window_whole_redraw)->Unit(benchmark::kMicrosecond);

Drawing Drawing_busy()
{
    Drawing drawing = Drawing_new();
    Edit ignored;
    for (int i = 1; i < squarecount - 1; ++i)
        for (int j = 1; j < squarecount - 1; ++j)
            if ((i * 7 + j * 3) % 5 == 0)
                Edit_square_set(drawing, ignored, i, j, bordercolour);
    drawing.title = "A busy picture";
    return drawing;
}

void BM_Picture_text_make(benchmark::State& state)
{
    const Drawing drawing = Drawing_busy();
    for (auto _ : state)
        benchmark::DoNotOptimize(Picture_text_make(drawing, "\n"));
}
BENCHMARK(BM_Picture_text_make)->Unit(benchmark::kMicrosecond);

// A whole save, in the folder TINTORA_BENCH_SAVE_FOLDER names (default the
// system's temporary folder): what the disk under it costs is in the figure.
void BM_Save(benchmark::State& state)
{
    const char* asked = std::getenv("TINTORA_BENCH_SAVE_FOLDER");
    const std::filesystem::path folder = asked ? asked : std::filesystem::temp_directory_path();
    const std::string path = (folder / "draw_bench_save.txt").string();
    const Drawing drawing = Drawing_busy();
    for (auto _ : state) {
        const std::string why = File_replace(path, Picture_text_make(drawing, "\n"));
        if (!why.empty())
            state.SkipWithError(why.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond);

// The same save as the maker makes it: the file looked at again (its size,
// time and bytes) before it is replaced, then the look after.
void BM_Picture_save(benchmark::State& state)
{
    const char* asked = std::getenv("TINTORA_BENCH_SAVE_FOLDER");
    const std::filesystem::path folder = asked ? asked : std::filesystem::temp_directory_path();
    const std::string path = (folder / "draw_bench_picture_save.txt").string();
    const std::string text = Picture_text_make(Drawing_busy(), "\n");
    File_seen seen = File_look(path);
    for (auto _ : state) {
        const Save_result saved = Picture_save(path, text, seen, false);
        if (saved.outcome != Save_outcome::saved)
            state.SkipWithError(saved.why.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Picture_save)->Unit(benchmark::kMicrosecond);

// Opening a file: read once, checked, and compared line by line with what a
// save would write (a file with numbered rows, so every row differs).
void BM_Drawing_open(benchmark::State& state)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "draw_bench_open.txt";
    std::string text = Picture_text_make(Drawing_busy(), "\n");
    std::string numbered;
    int row = 0;
    for (std::size_t at = 0, line = 1; at < text.size(); ++line) {
        const std::size_t end = text.find('\n', at);
        numbered += (line > colourcount + 1 ? std::to_string(++row % 10) : "") + text.substr(at, end + 1 - at);
        at = end + 1;
    }
    File_replace(path.string(), numbered);
    for (auto _ : state) {
        const Drawing_opened opened = Drawing_open(path.string());
        if (opened.changes.size() != static_cast<std::size_t>(row))
            state.SkipWithError("not every numbered row was named");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_Drawing_open)->Unit(benchmark::kMicrosecond);

// A typed title judged as the checker judges its line, in memory.
void BM_Title_check(benchmark::State& state)
{
    Drawing drawing = Drawing_busy();
    drawing.title = "x x";
    for (auto _ : state)
        benchmark::DoNotOptimize(Drawing_warnings(drawing));
}
BENCHMARK(BM_Title_check)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    screen = SDL_SetVideoMode(800, 900, 32, SDL_SWSURFACE);
    if (!screen)
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SDL_Quit();
    return 0;
}
