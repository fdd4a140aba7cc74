// The picture book's opening cost in-process: listing a folder of 200
// pictures (with 10,000 other files beside them), making the cards in
// sight when the book opens (16), and making all 200 (a person scrolling
// to the end). Each card is the painter's reader and first view, reduced.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <benchmark/benchmark.h>
#include "book/book_layout.h"
#include "book/picture_card.h"
#include "book/picture_list.h"
#include "book/picture_print.h"
#include "book/print_places.h"

namespace {

namespace fs = std::filesystem;

struct Library {
    std::string own, bundled, crowded;
};

// 100 own and 100 bundled pictures (copies of the bundled house), and a
// folder of 10,000 files that are not pictures beside 200 that are.
Library Library_make(const fs::path& root)
{
    const std::string house = TINTORA_PICTURES "/house.txt";
    Library made{(root / "own").string(), (root / "bundled").string(), (root / "crowded").string()};
    for (const std::string& folder : {made.own, made.bundled, made.crowded})
        fs::create_directories(folder);
    for (int k = 0; k < 100; ++k) {
        fs::copy_file(house, made.own + "/own" + std::to_string(k) + ".txt");
        fs::copy_file(house, made.bundled + "/bundled" + std::to_string(k) + ".txt");
    }
    for (int k = 0; k < 10000; ++k)
        std::ofstream(made.crowded + "/note" + std::to_string(k) + ".md") << "x";
    for (int k = 0; k < 200; ++k)
        fs::copy_file(house, made.crowded + "/picture" + std::to_string(k) + ".txt");
    return made;
}

const Library& Library_shared()
{
    static fs::path root = [] {
        char name[] = "/tmp/tintora-book-bench-XXXXXX";
        return fs::path(mkdtemp(name) ? name : "/tmp");
    }();
    static Library library = Library_make(root);
    return library;
}

void Book_list(benchmark::State& state)
{
    const Library& l = Library_shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(Picture_list_make(l.own, l.bundled));
}
BENCHMARK(Book_list)->Unit(benchmark::kMillisecond);

void Book_list_crowded(benchmark::State& state)
{
    const Library& l = Library_shared();
    for (auto _ : state)
        benchmark::DoNotOptimize(Picture_list_make(l.crowded, ""));
}
BENCHMARK(Book_list_crowded)->Unit(benchmark::kMillisecond);

// What opening the book costs before its first flip: the list, and the
// cards of the 16 cells in sight.
void Book_open_200(benchmark::State& state)
{
    const Library& l = Library_shared();
    for (auto _ : state) {
        const auto list = Picture_list_make(l.own, l.bundled);
        for (int k = 0; k < book_columns * book_rows_visible; ++k)
            benchmark::DoNotOptimize(Picture_card_make(list[static_cast<std::size_t>(k)]));
    }
}
BENCHMARK(Book_open_200)->Unit(benchmark::kMillisecond);

// Every card of the 200: the most the book ever makes in one run.
void Book_all_cards_200(benchmark::State& state)
{
    const Library& l = Library_shared();
    const auto list = Picture_list_make(l.own, l.bundled);
    for (auto _ : state)
        for (const Picture_entry& entry : list)
            benchmark::DoNotOptimize(Picture_card_make(entry));
}
BENCHMARK(Book_all_cards_200)->Unit(benchmark::kMillisecond);

// One page to print of a bundled picture, with the title's font embedded,
// written into a folder and placed under its name: what P costs before the
// viewer starts. Each page is removed again so every one gets the first name.
void Book_print_page(benchmark::State& state)
{
    const Library& l = Library_shared();
    const Picture_entry entry{"house", TINTORA_PICTURES, false};
    const std::string folder = fs::path(l.own).parent_path().string() + "/Tintora";
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string saved, note;
        if (!Picture_print(entry, "", folder, "2026-12-11", paper_a4, Print_font_file(""), saved, note).empty()) {
            state.SkipWithError("the page could not be written");
            break;
        }
        bytes = fs::file_size(saved);
        fs::remove(saved);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(Book_print_page)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(fs::path(Library_shared().own).parent_path(), ignored);
    return 0;
}
