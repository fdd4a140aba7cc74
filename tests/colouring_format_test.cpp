// Kept colourings: the file's text read back as written, every damaged file
// refused with a reason and nothing applied, a colouring laid only over the
// picture it was made on, and the file written beside the old one and
// renamed over it.
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include "board_fixture.h"
#include "colouring/colouring_format.h"
#include "colouring/colouring_store.h"
#include "fill/region_fill.h"

namespace {

using Palette = std::array<Colour, colourcount>;

const Palette palette{{{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {250, 250, 0},
                       {0, 250, 250}, {250, 0, 250}, {90, 90, 90}, {10, 10, 10}}};

// A board as read: a box of outlines from (5, 5) to (15, 10), so that there
// are two regions, inside and outside it.
Board Board_read()
{
    Board squares = Board_built();
    for (int i = 5; i <= 15; ++i)
        At(squares, i, 5).c = At(squares, i, 10).c = bordercolour;
    for (int j = 5; j <= 10; ++j)
        At(squares, 5, j).c = At(squares, 15, j).c = bordercolour;
    return squares;
}

void Fill(Board& squares, int i, int j, Colour c)
{
    Region_fill(i, j, squarecount, squares, bordercolour, c, [] {});
}

// The text of a good colouring of Board_read: the inside filled with
// palette colour 2, the outside with 5, swatch 5.
std::string Good_text()
{
    Board squares = Board_read();
    const std::uint64_t digest = Picture_digest(squares, palette);
    Fill(squares, 8, 8, palette[2]);
    Fill(squares, 1, 1, palette[5]);
    return Colouring_text(Colouring_take(digest, squares, palette, palette[5]));
}

std::string Squares_text(const Board& squares)
{
    std::ostringstream out;
    for (const Square& s : squares)
        out << s.c.r << ',' << s.c.g << ',' << s.c.b << ' ';
    return out.str();
}

TEST(Colouring, ReadBackAndLaidOverTheSamePictureShowsWhatWasLeft)
{
    Board left = Board_read();
    const std::uint64_t digest = Picture_digest(left, palette);
    Fill(left, 8, 8, palette[2]);
    Fill(left, 1, 1, palette[5]);
    const std::string text = Colouring_text(Colouring_take(digest, left, palette, palette[5]));

    // The documented layout: three lines, then the board's inside.
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "tintora-colouring 1");
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 7), "digest ");
    std::getline(lines, line);
    EXPECT_EQ(line, "swatch 5");
    std::getline(lines, line);
    EXPECT_EQ(line, std::string(38, '5'));   // row 1: all outside the box
    for (int j = 2; j <= 5; ++j)
        std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 16), "5555xxxxxxxxxxx5") << "row 5 holds the box's top";
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 16), "5555x222222222x5") << "row 6: inside the box";

    Colouring read;
    ASSERT_EQ(Colouring_parse(text, read), "");
    Board opened = Board_read();
    Colour chosen = palette[0];
    ASSERT_EQ(Colouring_apply(read, Picture_digest(opened, palette), opened, palette, chosen), "");
    EXPECT_EQ(Squares_text(opened), Squares_text(left));
    EXPECT_TRUE(Colour_cmp(chosen, palette[5]));
}

// A palette colour equal to the outlines' turns what it fills into
// outlines; one equal to the board's own leaves it looking uncoloured. Both
// come back as they were.
TEST(Colouring, FillsInTheOutlineAndBoardColoursComeBack)
{
    Palette odd = palette;
    odd[3] = bordercolour;
    odd[4] = defaultcolour;
    Board left = Board_read();
    const std::uint64_t digest = Picture_digest(left, odd);
    Fill(left, 8, 8, odd[3]);
    Fill(left, 1, 1, odd[4]);
    Colouring read;
    ASSERT_EQ(Colouring_parse(Colouring_text(Colouring_take(digest, left, odd, odd[3])), read), "");
    Board opened = Board_read();
    Colour chosen = odd[0];
    ASSERT_EQ(Colouring_apply(read, digest, opened, odd, chosen), "");
    EXPECT_EQ(Squares_text(opened), Squares_text(left));
    EXPECT_TRUE(Colour_cmp(chosen, bordercolour));
}

TEST(Colouring, AnyChangeToThePaletteOrTheOutlinesChangesTheDigest)
{
    const Board board = Board_read();
    const std::uint64_t digest = Picture_digest(board, palette);
    struct Change {
        const char* what;
        void (*apply)(Board&, Palette&);
    };
    const Change changes[] = {
        {"one outline square more", [](Board& b, Palette&) { At(b, 20, 20).c = bordercolour; }},
        {"one outline square less", [](Board& b, Palette&) { At(b, 5, 5).c = defaultcolour; }},
        {"one outline moved", [](Board& b, Palette&) { At(b, 5, 5).c = defaultcolour; At(b, 4, 5).c = bordercolour; }},
        {"a red one higher", [](Board&, Palette& p) { p[0].r = 201; }},
        {"a blue's high byte", [](Board&, Palette& p) { p[7].b = 10 + 256; }},
        {"two entries swapped", [](Board&, Palette& p) { std::swap(p[1], p[2]); }},
    };
    for (const Change& change : changes) {
        Board b = board;
        Palette p = palette;
        change.apply(b, p);
        EXPECT_NE(Picture_digest(b, p), digest) << change.what;
    }
}

// Damaged files: each refused with a reason, and nothing taken from it.
TEST(Colouring, DamagedFilesAreRefusedWithAReason)
{
    const std::string good = Good_text();
    std::string crlf;
    for (char c : good)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    {
        Colouring read;
        EXPECT_EQ(Colouring_parse(crlf, read), "") << "a file copied through Windows";
    }
    const auto swap_line = [&](int n, const std::string& by) {
        std::istringstream in(good);
        std::string line, out;
        for (int k = 0; std::getline(in, line); ++k)
            out += (k == n ? by : line) + "\n";
        return out;
    };
    std::string binary(1500, '\0');
    for (std::size_t k = 0; k < binary.size(); ++k)
        binary[k] = static_cast<char>((k * 131 + 7) % 256);
    struct Case {
        const char* what;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"empty", "", "it is not a colouring"},
        {"a picture file", "200,30,30\n30,200,30\n", "it is not a colouring"},
        {"binary", binary, "it is not a colouring"},
        {"a later format", swap_line(0, "tintora-colouring 2"), "it is of a later format than this Tintora reads"},
        {"the format line alone", "tintora-colouring 1\n", "its digest line is damaged"},
        {"a short digest", swap_line(1, "digest 0123"), "its digest line is damaged"},
        {"a digest not in hex", swap_line(1, "digest 0123456789abcdeg"), "its digest line is damaged"},
        {"a swatch past the palette", swap_line(2, "swatch 8"), "its swatch line is damaged"},
        {"a swatch not a number", swap_line(2, "swatch x"), "its swatch line is damaged"},
        {"no board", good.substr(0, good.find("swatch 5\n") + 9), "it is cut short"},
        {"cut in the middle of a row", good.substr(0, good.size() / 2), "it is cut short"},
        {"its last line end lost", good.substr(0, good.size() - 1), "it is cut short"},
        {"a row one short", swap_line(10, std::string(37, '.')), "its board is damaged"},
        {"a row one long", swap_line(10, std::string(39, '.')), "its board is damaged"},
        {"a cell '8'", swap_line(10, "8" + std::string(37, '.')), "its board is damaged"},
        {"a cell ' '", swap_line(10, " " + std::string(37, '.')), "its board is damaged"},
        {"something after the board", good + "x\n", "it goes on past its board"},
    };
    for (const Case& c : cases) {
        Colouring read;
        read.swatch = 3;
        EXPECT_EQ(Colouring_parse(c.text, read), c.reason) << c.what;
        EXPECT_EQ(read.swatch, 3) << c.what << ": changed although refused";
    }
}

// A colouring is laid only over the picture it was made on; refused, the
// board and the chosen colour stay as read.
TEST(Colouring, OnlyTheRightPictureTakesItsColouring)
{
    Colouring good;
    ASSERT_EQ(Colouring_parse(Good_text(), good), "");
    const std::uint64_t digest = Picture_digest(Board_read(), palette);
    Colouring extra_outline = good;
    extra_outline.cells[static_cast<std::size_t>(19 * colouring_side + 19)] = 'x';
    Colouring lost_outline = good;
    lost_outline.cells[static_cast<std::size_t>(4 * colouring_side + 4)] = '1';
    struct Case {
        const char* what;
        Colouring colouring;
        std::uint64_t digest;
        const char* reason;
    };
    const Case cases[] = {
        {"another picture", good, digest + 1, "it was made on another version of this picture"},
        {"an outline the picture lacks", extra_outline, digest, "its outlines are not the picture's"},
        {"an outline coloured over", lost_outline, digest, "its outlines are not the picture's"},
    };
    for (const Case& c : cases) {
        Board board = Board_read();
        const std::string before = Squares_text(board);
        Colour chosen = palette[0];
        EXPECT_EQ(Colouring_apply(c.colouring, c.digest, board, palette, chosen), c.reason) << c.what;
        EXPECT_EQ(Squares_text(board), before) << c.what;
        EXPECT_TRUE(Colour_cmp(chosen, palette[0])) << c.what;
    }
}

class Colouring_store : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/tintora-colouring-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string folder;
};

TEST_F(Colouring_store, AWriteReplacesTheOldFileAndLeavesNothingBeside)
{
    const std::string path = folder + "/cat.own.colouring";
    ASSERT_EQ(Colouring_file_write(path, "first\n"), "");
    ASSERT_EQ(Colouring_file_write(path, "second\n"), "");
    std::string text;
    bool missing = true;
    ASSERT_EQ(Colouring_file_read(path, text, missing), "");
    EXPECT_EQ(text, "second\n");
    EXPECT_FALSE(missing);
    EXPECT_EQ(Names(), std::vector<std::string>{"cat.own.colouring"});

    ASSERT_EQ(Colouring_file_set_aside(path), "");
    EXPECT_EQ(Names(), std::vector<std::string>{"cat.own.colouring.unusable"});
    EXPECT_NE(Colouring_file_read(path, text, missing), "");
    EXPECT_TRUE(missing);
    EXPECT_EQ(Colouring_file_remove(path), "") << "a file not there counts as removed";
}

TEST_F(Colouring_store, WhatCannotBeWrittenOrReadSaysWhy)
{
    std::string text;
    bool missing = false;
    EXPECT_NE(Colouring_file_write(folder + "/gone/cat.own.colouring", "x\n"), "") << "a folder that is not there";
    EXPECT_NE(Colouring_file_read(folder, text, missing), "") << "a folder";
    EXPECT_FALSE(missing);
    // A fifo with no writer would block a reader that opened it as a file.
    ASSERT_EQ(mkfifo((folder + "/fifo.own.colouring").c_str(), 0600), 0);
    EXPECT_EQ(Colouring_file_read(folder + "/fifo.own.colouring", text, missing), "it is not an ordinary file");
    EXPECT_FALSE(missing);
    // A file far longer than any colouring is read no further than one byte
    // past the limit, and then refused as no colouring.
    const std::string path = folder + "/long.own.colouring";
    std::ofstream(path) << std::string(3 * colouring_file_most, 'x');
    ASSERT_EQ(Colouring_file_read(path, text, missing), "");
    EXPECT_EQ(text.size(), colouring_file_most + 1);
    Colouring read;
    EXPECT_NE(Colouring_parse(text, read), "");
}

}  // namespace
