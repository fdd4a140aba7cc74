// Keeping a colouring, in-process: what the painter does after each
// completed fill (the board's colouring made into its text and the file
// written new, forced to the disk and renamed over the old), what it does
// at start-up when a colouring is kept (the file read, checked against the
// picture's digest and laid over the board), and the digest alone.
#include <cstdlib>
#include <filesystem>
#include <benchmark/benchmark.h>
#include "board/geometry.h"
#include "board/square.h"
#include "colouring/colouring_format.h"
#include "colouring/colouring_store.h"
#include "fill/region_fill.h"

namespace {

using Board = std::array<Square, squarecount * squarecount>;
const std::array<Colour, colourcount> palette{{{230, 57, 70}, {255, 183, 3}, {33, 158, 188}, {106, 176, 76},
                                               {244, 162, 97}, {142, 90, 60}, {255, 255, 255}, {0, 0, 0}}};

// A board as read, with a cross of outlines making four rooms.
Board Board_read()
{
    Board squares{};
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    for (int k = 1; k < squarecount - 1; ++k) {
        squares[static_cast<std::size_t>(20 * squarecount + k)].c = bordercolour;
        squares[static_cast<std::size_t>(k * squarecount + 20)].c = bordercolour;
    }
    return squares;
}

// The same board with three of its rooms coloured.
Board Board_coloured()
{
    Board squares = Board_read();
    Region_fill(5, 5, squarecount, squares, bordercolour, palette[1], [] {});
    Region_fill(30, 5, squarecount, squares, bordercolour, palette[2], [] {});
    Region_fill(30, 30, squarecount, squares, bordercolour, palette[3], [] {});
    return squares;
}

std::string Folder_make()
{
    char name[] = "/tmp/tintora-keep-bench-XXXXXX";
    return mkdtemp(name) ? name : "";
}

void BM_Colouring_keep_after_a_fill(benchmark::State& state)
{
    const std::string folder = Folder_make();
    const std::string path = folder + "/bench.own.colouring";
    const Board squares = Board_coloured();
    const std::uint64_t digest = Picture_digest(Board_read(), palette);
    for (auto _ : state) {
        const std::string text = Colouring_text(Colouring_take(digest, squares, palette, palette[3]));
        if (!Colouring_file_write(path, text).empty())
            state.SkipWithError("cannot write");
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Colouring_keep_after_a_fill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Colouring_text_only(benchmark::State& state)
{
    const Board squares = Board_coloured();
    const std::uint64_t digest = Picture_digest(Board_read(), palette);
    for (auto _ : state)
        benchmark::DoNotOptimize(Colouring_text(Colouring_take(digest, squares, palette, palette[3])));
}
BENCHMARK(BM_Colouring_text_only)->Unit(benchmark::kMicrosecond);

void BM_Colouring_open_kept(benchmark::State& state)
{
    const std::string folder = Folder_make();
    const std::string path = folder + "/bench.own.colouring";
    const std::uint64_t digest = Picture_digest(Board_read(), palette);
    Colouring_file_write(path, Colouring_text(Colouring_take(digest, Board_coloured(), palette, palette[3])));
    for (auto _ : state) {
        state.PauseTiming();
        Board squares = Board_read();
        Colour chosen = palette[0];
        state.ResumeTiming();
        std::string text;
        bool missing = false;
        Colouring kept;
        if (!Colouring_file_read(path, text, missing).empty() || !Colouring_parse(text, kept).empty() ||
            !Colouring_apply(kept, Picture_digest(squares, palette), squares, palette, chosen).empty())
            state.SkipWithError("cannot open");
        benchmark::DoNotOptimize(squares);
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_Colouring_open_kept)->Unit(benchmark::kMicrosecond);

void BM_Picture_digest(benchmark::State& state)
{
    const Board squares = Board_read();
    for (auto _ : state)
        benchmark::DoNotOptimize(Picture_digest(squares, palette));
}
BENCHMARK(BM_Picture_digest)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
