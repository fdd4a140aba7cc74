// The printed page: its layout on a table of paper sizes, and the PDF the
// book writes, read back by poppler's tools as a viewer would show it (the
// page's size, the colour at the centre of chosen squares, the title's
// text), for a kept colouring, for one that is garbage, and beside a file
// already there. Then the person's paper and the viewer started.
#include <algorithm>
#include <cmath>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>
#include "board/geometry.h"
#include "book/picture_card.h"
#include "book/picture_print.h"
#include "book/print_layout.h"
#include "book/print_places.h"
#include "colouring/colouring_format.h"
#include "scratch.h"

namespace {

namespace fs = std::filesystem;

std::string File_text(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// What a command printed on its standard output.
std::string Command_output(const std::string& command)
{
    std::string out;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char chunk[4096];
        std::size_t length;
        while ((length = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
            out.append(chunk, length);
        pclose(pipe);
    }
    return out;
}

std::string Quoted(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// The page rendered as a viewer would show it, one pixel a point.
struct Rendered {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
    Colour At(double x, double y) const
    {
        const int px = static_cast<int>(x), py = static_cast<int>(y);
        const std::size_t k = 3 * (static_cast<std::size_t>(py) * static_cast<std::size_t>(width) + px);
        return {rgb[k], rgb[k + 1], rgb[k + 2]};
    }
};

Rendered Pdf_render(const fs::path& pdf, const fs::path& folder)
{
    Rendered page;
    const fs::path prefix = folder / "page";
    if (std::system(("pdftoppm -r 72 -png -singlefile " + Quoted(pdf) + " " + Quoted(prefix)).c_str()) != 0)
        return page;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    const std::string file = prefix.string() + ".png";
    if (!png_image_begin_read_from_file(&png, file.c_str()))
        return page;
    png.format = PNG_FORMAT_RGB;
    page.rgb.resize(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, page.rgb.data(), 0, nullptr)) {
        page.width = static_cast<int>(png.width);
        page.height = static_cast<int>(png.height);
    }
    return page;
}

bool Near(Colour a, Colour b)
{
    return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

std::string Text_of(Colour c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

constexpr double quarter_inch = 18;

// Every page: the title band and the board inside the page by at least
// what a printer cannot reach, the board below the title, centred across,
// square and as large as the page leaves it.
TEST(Print_layout, TitleAndSquaresInsideThePage)
{
    struct Case {
        const char* paper;
        double width;
        double height;
        double side;   // the board's side: the smaller of what is left across and down
    };
    const Case cases[] = {
        {"A4", paper_a4.width, paper_a4.height, paper_a4.width - 72},
        {"Letter", paper_letter.width, paper_letter.height, 612 - 72},
        {"landscape-ish", 700, 400, 400 - 72 - 48},
        {"a narrow strip", 200, 900, 200 - 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paper);
        const Print_layout layout = Print_layout_make(c.width, c.height);
        EXPECT_EQ(layout.page_width, c.width);
        EXPECT_EQ(layout.page_height, c.height);
        EXPECT_NEAR(layout.board.width, c.side, 1e-9);
        EXPECT_NEAR(layout.board.height, c.side, 1e-9);
        EXPECT_NEAR(layout.cell * squarecount, c.side, 1e-9);
        for (const Print_box& box : {layout.title, layout.board}) {
            EXPECT_GE(box.x, quarter_inch);
            EXPECT_GE(box.y, quarter_inch);
            EXPECT_LE(box.x + box.width, c.width - quarter_inch + 1e-9);
            EXPECT_LE(box.y + box.height, c.height - quarter_inch + 1e-9);
        }
        EXPECT_GE(layout.title.height, layout.title_size) << "the title's letters fit its band";
        EXPECT_GE(layout.board.y, layout.title.y + layout.title.height) << "the board lies below the title";
        EXPECT_NEAR(layout.board.x + layout.board.width / 2, c.width / 2, 1e-9) << "centred across";
        for (int i = 0; i < squarecount; ++i)
            for (int j = 0; j < squarecount; ++j) {
                const Print_box square = Print_square_box(layout, i, j);
                ASSERT_EQ(square.width, square.height) << i << "," << j;
                ASSERT_NEAR(square.x, layout.board.x + i * layout.board.width / squarecount, 1e-9) << i << "," << j;
                ASSERT_NEAR(square.y, layout.board.y + j * layout.board.height / squarecount, 1e-9) << i << "," << j;
            }
        const Print_box last = Print_square_box(layout, squarecount - 1, squarecount - 1);
        EXPECT_NEAR(last.x + last.width, layout.board.x + layout.board.width, 1e-9);
        EXPECT_NEAR(last.y + last.height, layout.board.y + layout.board.height, 1e-9);
    }
}

TEST(Print_layout, OutlinesBlackUncolouredWhiteTheRestAsColoured)
{
    EXPECT_TRUE(Colour_cmp(Print_square_colour(bordercolour), Colour{0, 0, 0}));
    EXPECT_TRUE(Colour_cmp(Print_square_colour(defaultcolour), Colour{255, 255, 255}));
    EXPECT_TRUE(Colour_cmp(Print_square_colour(Colour{230, 60, 60}), Colour{230, 60, 60}));
    EXPECT_TRUE(Colour_cmp(Print_square_colour(Colour{0, 0, 0}), Colour{0, 0, 0}));
}

TEST(Print_layout, TitleTextIsWellFormedUtf8)
{
    struct Case {
        const char* separator;
        const char* title;
    };
    const Case cases[] = {
        {"  \xD0\x9A\xD0\xBE\xD1\x88\xD0\xBA\xD0\xB0 \r", "\xD0\x9A\xD0\xBE\xD1\x88\xD0\xBA\xD0\xB0"},   // Кошка
        {"", "owl"},
        {" \t ", "owl"},
        {"A \xE7\x8C\xAB and a \xF0\x9F\x90\x88", "A \xE7\x8C\xAB and a \xF0\x9F\x90\x88"},
        {"bad \xFF byte", "bad ? byte"},
        {"overlong \xC0\xAF", "overlong ??"},
        {"surrogate \xED\xA0\x80", "surrogate ???"},
        {"cut short \xD0", "cut short ?"},
        {"bell\x07", "bell?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Print_title_text(c.separator, "owl"), c.title) << c.separator;
}

// A picture titled in Cyrillic, cut in two by a line of outlines down
// column 20: the left half is one region, the right another.
constexpr const char* cat_title = "\xD0\x9A\xD0\xBE\xD1\x88\xD0\xBA\xD0\xB0";
constexpr Colour red{230, 60, 60};

std::string Halves_picture()
{
    std::string text = "240,240,250\n230,60,60\n120,190,250\n60,100,180\n255,210,60\n20,140,60\n250,150,50\n"
                       "150,200,230\n" + std::string(cat_title) + "\n";
    for (int row = 1; row <= 38; ++row)
        text += std::string(19, ' ') + "x\n";
    return text;
}

// The left half coloured red, as the painter keeps it.
std::string Left_half_colouring(const Picture_entry& entry)
{
    Picture_board board;
    std::string why;
    if (!Picture_board_read(entry, "", board, why))
        return "";
    const std::uint64_t digest = Picture_digest(board.squares, board.colours);
    for (Square& square : board.squares) {
        const int i = square.x / squaresize;
        if (i >= 1 && i <= 19 && !Colour_cmp(square.c, bordercolour))
            square.c = red;
    }
    return Colouring_text(Colouring_take(digest, board.squares, board.colours, red));
}

Colour Rendered_square(const Rendered& page, const Print_layout& layout, int i, int j)
{
    const Print_box box = Print_square_box(layout, i, j);
    return page.At(box.x + box.width / 2, box.y + box.height / 2);
}

struct Print_case {
    const char* name;
    Paper paper;
    const char* size_line;   // pdfinfo's
    bool garbage;            // the kept colouring is garbage
    Colour left;             // what the left half prints in
};

// Written, then read back as a viewer shows it.
TEST(Picture_print, PageOfAKeptColouring)
{
    const Print_case cases[] = {
        {"letter, coloured", paper_letter, "612 x 792 pts (letter)", false, red},
        {"A4, coloured", paper_a4, "595.276 x 841.89 pts (A4)", false, red},
        {"A4, garbage kept", paper_a4, "595.276 x 841.89 pts (A4)", true, Colour{255, 255, 255}},
    };
    for (const Print_case& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch scratch;
        scratch.Write("own/halves.txt", Halves_picture());
        const Picture_entry entry{"halves", (scratch.root / "own").string(), true};
        const fs::path colouring = scratch.Write(
            "colourings/halves.own.colouring", c.garbage ? std::string("tintora-colouring 1\ndigest zz\n\x01\x02")
                                                         : Left_half_colouring(entry));
        const fs::path folder = scratch.root / "Pictures" / "Tintora";
        std::string saved, note;
        ASSERT_EQ(Picture_print(entry, colouring.string(), folder.string(), "2026-12-11", c.paper,
                                Print_font_file(""), saved, note),
                  "");
        EXPECT_EQ(fs::path(saved), folder / (std::string(cat_title) + " 2026-12-11.pdf"));
        EXPECT_EQ(note.empty(), !c.garbage) << note;
        EXPECT_EQ(File_text(colouring).empty(), false) << "the kept colouring is left as it was";

        const std::string info = Command_output("pdfinfo " + Quoted(saved));
        const std::size_t size_at = info.find("Page size:");
        ASSERT_NE(size_at, std::string::npos) << info;
        EXPECT_EQ(info.substr(info.find_first_not_of(' ', size_at + 10), std::string(c.size_line).size()),
                  c.size_line);
        EXPECT_NE(info.find("Pages:           1\n"), std::string::npos) << info;
        EXPECT_NE(info.find(std::string("Title:           ") + cat_title + "\n"), std::string::npos) << info;
        EXPECT_NE(Command_output("pdftotext " + Quoted(saved) + " -").find(cat_title), std::string::npos);

        const Rendered page = Pdf_render(saved, scratch.root);
        ASSERT_EQ(page.width, static_cast<int>(std::ceil(c.paper.width)));
        ASSERT_EQ(page.height, static_cast<int>(std::ceil(c.paper.height)));
        const Print_layout layout = Print_layout_make(c.paper.width, c.paper.height);
        struct Sample {
            int i, j;
            Colour colour;
        };
        const Sample samples[] = {
            {0, 0, {0, 0, 0}},         {39, 39, {0, 0, 0}},        {0, 20, {0, 0, 0}},   // the ring
            {20, 1, {0, 0, 0}},        {20, 38, {0, 0, 0}},                               // the picture's outline
            {1, 1, c.left},            {10, 20, c.left},           {19, 38, c.left},
            {21, 1, {255, 255, 255}},  {30, 20, {255, 255, 255}},  {38, 38, {255, 255, 255}},
        };
        for (const Sample& s : samples)
            EXPECT_PRED2(Near, Rendered_square(page, layout, s.i, s.j), s.colour)
                << s.i << "," << s.j << " is " << Text_of(Rendered_square(page, layout, s.i, s.j));
        // Outside the board the paper stays white, margins and all.
        EXPECT_PRED2(Near, page.At(5, 5), (Colour{255, 255, 255}));
        EXPECT_PRED2(Near, page.At(layout.board.x - 4, layout.board.y + 100), (Colour{255, 255, 255}));
        EXPECT_PRED2(Near, page.At(c.paper.width / 2, c.paper.height - 5), (Colour{255, 255, 255}));
        // Something dark in the title's band: the letters.
        bool lettered = false;
        for (double x = layout.title.x; x < layout.title.x + layout.title.width; x += 1)
            for (double y = layout.title.y; y < layout.title.y + layout.title.height; y += 1)
                lettered = lettered || page.At(x, y).r < 100;
        EXPECT_TRUE(lettered);
    }
}

// A page printed again the same day gets the next name; the file that was
// there, whoever made it, is left alone.
TEST(Picture_print, NeverOverAFileThatIsThere)
{
    Scratch scratch;
    scratch.Write("own/halves.txt", Halves_picture());
    const Picture_entry entry{"halves", (scratch.root / "own").string(), true};
    const fs::path folder = scratch.root / "Tintora";
    const fs::path mine = scratch.Write("Tintora/" + std::string(cat_title) + " 2026-12-11.pdf", "mine");
    std::string saved, note;
    ASSERT_EQ(Picture_print(entry, "", folder.string(), "2026-12-11", paper_a4, Print_font_file(""), saved, note), "");
    EXPECT_EQ(fs::path(saved), folder / (std::string(cat_title) + " 2026-12-11 (2).pdf"));
    EXPECT_EQ(File_text(mine), "mine");
    EXPECT_TRUE(File_text(saved).starts_with("%PDF-"));
    EXPECT_EQ(note, "") << "nothing kept is not a fault";
    // Nothing is left behind but the two pages.
    int files = 0;
    for (const auto& item : fs::directory_iterator(folder))
        files += item.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 2);
}

// What cannot be printed says why, and leaves nothing behind.
TEST(Picture_print, FailuresSayWhy)
{
    Scratch scratch;
    scratch.Write("own/halves.txt", Halves_picture());
    const Picture_entry entry{"halves", (scratch.root / "own").string(), true};
    std::string saved, note;
    EXPECT_EQ(Picture_print(entry, "", "", "2026-12-11", paper_a4, Print_font_file(""), saved, note),
              "no Pictures folder is known");
    const fs::path folder = scratch.root / "Tintora";
    EXPECT_EQ(Picture_print(entry, "", folder.string(), "2026-12-11", paper_a4, "/nowhere/font.ttf", saved, note),
              "the font /nowhere/font.ttf is missing");
    const fs::path not_font = scratch.Write("not-a-font.ttf", "hello");
    EXPECT_NE(Picture_print(entry, "", folder.string(), "2026-12-11", paper_a4, not_font.string(), saved, note)
                  .find("cannot be used"),
              std::string::npos);
    const Picture_entry missing{"absent", (scratch.root / "own").string(), true};
    EXPECT_NE(Picture_print(missing, "", folder.string(), "2026-12-11", paper_a4, Print_font_file(""), saved, note),
              "");
    EXPECT_EQ(saved, "");
    std::error_code error;
    EXPECT_TRUE(!fs::exists(folder, error) || fs::is_empty(folder, error));
}

// libpaper's choice: the variable first, then the file; A4 for a name it
// does not know.
TEST(Print_places, PaperFromPapersize)
{
    struct Case {
        const char* papersize;
        Paper paper;
    };
    const Case cases[] = {{"letter", paper_letter}, {"a4", paper_a4}, {"Letter", paper_letter},
                          {"no-such-paper", paper_a4}};
    const char* before = std::getenv("PAPERSIZE");
    const std::string kept = before ? before : "";
    for (const Case& c : cases) {
        setenv("PAPERSIZE", c.papersize, 1);
        const Paper chosen = Paper_chosen();
        EXPECT_NEAR(chosen.width, c.paper.width, 0.01) << c.papersize;
        EXPECT_NEAR(chosen.height, c.paper.height, 0.01) << c.papersize;
    }
    // No variable: the file (PAPERCONF stands in for /etc/papersize), and
    // A4 when there is none either.
    Scratch scratch;
    unsetenv("PAPERSIZE");
    setenv("PAPERCONF", scratch.Write("papersize", "# the office's\nletter\n").c_str(), 1);
    EXPECT_NEAR(Paper_chosen().width, paper_letter.width, 0.01);
    setenv("PAPERCONF", (scratch.root / "none").c_str(), 1);
    EXPECT_NEAR(Paper_chosen().width, paper_a4.width, 0.01);
    setenv("PAPERSIZE", "", 1);
    EXPECT_NEAR(Paper_chosen().width, paper_a4.width, 0.01);
    unsetenv("PAPERCONF");
    if (before)
        setenv("PAPERSIZE", kept.c_str(), 1);
    else
        unsetenv("PAPERSIZE");
}

// The viewer is xdg-open from PATH, given the file; without one, a reason.
TEST(Print_places, ViewerStartedWithTheFile)
{
    Scratch scratch;
    const fs::path record = scratch.root / "opened";
    const fs::path opener = scratch.Write("bin/xdg-open", "#!/bin/sh\nprintf '%s' \"$1\" > '" + record.string() +
                                                              ".part' && mv '" + record.string() + ".part' '" +
                                                              record.string() + "'\n");
    fs::permissions(opener, fs::perms::owner_all);
    const std::string path_before = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", ((scratch.root / "bin").string() + ":" + path_before).c_str(), 1);
    const std::string shown = File_show("/tmp/a page with 'quotes' $HOME.pdf");
    setenv("PATH", "/nonexistent", 1);
    const std::string missing = File_show("/tmp/x.pdf");
    setenv("PATH", path_before.c_str(), 1);

    EXPECT_EQ(shown, "");
    EXPECT_EQ(missing, "no xdg-open is installed to show it");
    // The viewer runs on its own; the test waits for its record, however long.
    for (int tries = 0; tries < 3000 && !fs::exists(record); ++tries)
        usleep(10000);
    EXPECT_EQ(File_text(record), "/tmp/a page with 'quotes' $HOME.pdf");
}

}  // namespace
