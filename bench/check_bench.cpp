// The reader with and without a trace, and the checker's analysis, on a
// bundled picture in memory: the painter's reader must cost the same as
// before the trace existed (a pointer test per character), and the trace
// and the analysis are what tintora-check adds on top.
#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <benchmark/benchmark.h>
#include "board/geometry.h"
#include "check/picture_check.h"
#include "picture_file/text_stream.h"

namespace {

std::string Picture_text()
{
    std::ifstream in(TINTORA_PICTURES_DIR "/house.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// UTF-16 LE with its mark, as Notepad's "Unicode" saves it.
std::string Utf16_of(const std::string& text)
{
    std::string out = "\xFF\xFE";
    for (const char c : text)
        out += std::string{c, '\0'};
    return out;
}

void Read(benchmark::State& state, bool traced, bool utf16 = false)
{
    const std::string text = utf16 ? Utf16_of(Picture_text()) : Picture_text();
    std::array<Square, squarecount * squarecount> squares{};
    std::array<Colour, colourcount> colours{};
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    std::FILE* report = std::fopen("/dev/null", "w");
    for (auto _ : state) {
        int read_error = 0;
        std::FILE* in = Text_open_bytes(text, &read_error);
        Picture_trace trace;
        Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, report, traced ? &trace : nullptr);
        std::fclose(in);
        benchmark::DoNotOptimize(squares);
    }
    std::fclose(report);
}

void BM_Picture_read(benchmark::State& state)
{
    Read(state, false);
}
BENCHMARK(BM_Picture_read)->Unit(benchmark::kMicrosecond);

// The same picture saved as UTF-16: the decoding is all it adds.
void BM_Picture_read_utf16(benchmark::State& state)
{
    Read(state, false, true);
}
BENCHMARK(BM_Picture_read_utf16)->Unit(benchmark::kMicrosecond);

void BM_Picture_read_traced(benchmark::State& state)
{
    Read(state, true);
}
BENCHMARK(BM_Picture_read_traced)->Unit(benchmark::kMicrosecond);

void BM_Picture_analyse(benchmark::State& state)
{
    const std::string text = Picture_text();
    Picture_check read;
    Squares_create(squarecount, read.squares, squaresize, menustrip, defaultcolour, bordercolour);
    Picture_trace trace;
    int read_error = 0;
    std::FILE* in = Text_open_bytes(text, &read_error);
    std::FILE* report = std::fopen("/dev/null", "w");
    Picture_read(in, squarecount, read.squares, colourcount, read.colours, bordercolour, report, &trace);
    std::fclose(report);
    std::fclose(in);
    for (auto _ : state) {
        Picture_check check = read;
        Picture_analyse(trace, Picture_source{text, 0}, check);
        benchmark::DoNotOptimize(check.regions.regions.size());
    }
}
BENCHMARK(BM_Picture_analyse)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
