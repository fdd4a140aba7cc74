// The picture maker's logic without a window: what it writes reads back
// through the painter's reader as exactly what was drawn, with nothing for
// tintora-check to warn about; strokes are joined without gaps and undone
// whole; the rule for new names; a save that fails leaves the old file.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sys/stat.h>
#include "check/picture_check.h"
#include "draw/drawing.h"
#include "draw/drawing_open.h"
#include "draw/file_replace.h"
#include "draw/picture_write.h"
#include "draw/stroke.h"
#include "draw/pen.h"
#include "draw/trace_image.h"
#include <png.h>
#include "picture_file/picture_name.h"

namespace {

namespace fs = std::filesystem;

std::string File_bytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct Scratch_folder {
    fs::path path = fs::temp_directory_path() / ("draw_test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    Scratch_folder() { fs::create_directories(path); }
    ~Scratch_folder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// A random picture as a person could make it: outlines anywhere inside the
// ring, eight colours none of which the checker would warn about, and a title.
Drawing Drawing_random(std::mt19937& random)
{
    Drawing drawing = Drawing_new();
    std::uniform_int_distribution<int> density(0, 100);
    const int percent = density(random);
    Edit ignored;
    for (int i = 1; i < squarecount - 1; ++i)
        for (int j = 1; j < squarecount - 1; ++j)
            if (density(random) < percent)
                Edit_square_set(drawing, ignored, i, j, bordercolour);
    std::uniform_int_distribution<int> component(0, 255);
    std::set<std::tuple<int, int, int>> taken{{20, 20, 20}, {200, 200, 200}};
    for (Colour& c : drawing.colours) {
        do
            c = Colour{static_cast<std::int16_t>(component(random)), static_cast<std::int16_t>(component(random)),
                       static_cast<std::int16_t>(component(random))};
        while (!taken.insert({c.r, c.g, c.b}).second);
    }
    const char* const titles[] = {"My owl", "", "Сова и луна", "Boat 2", "   ", "Ölbaum — tree"};
    drawing.title = titles[random() % std::size(titles)];
    return drawing;
}

TEST(Draw_round_trip, RandomPicturesReadBackExactlyAndWarnAboutNothing)
{
    Scratch_folder folder;
    std::mt19937 random(20261210);
    for (int round = 0; round < 200; ++round) {
        const Drawing drawing = Drawing_random(random);
        const std::string_view line_end = round % 2 ? "\r\n" : "\n";   // a Windows save read on Linux too
        const fs::path path = folder.path / "picture.txt";
        ASSERT_EQ(File_replace(path.string(), Picture_text_make(drawing, line_end)), "");
        const Picture_check check = Picture_check_file(path.string());
        ASSERT_EQ(check.why, "");
        for (std::size_t k = 0; k < drawing.squares.size(); ++k)
            ASSERT_TRUE(Colour_cmp(check.squares[k].c, drawing.squares[k].c)) << "round " << round << ", square " << k;
        for (std::size_t k = 0; k < drawing.colours.size(); ++k)
            ASSERT_TRUE(Colour_cmp(check.colours[k], drawing.colours[k])) << "round " << round << ", colour " << k;
        EXPECT_EQ(check.separator, drawing.title) << "round " << round;
        for (const Diagnostic& d : check.diagnostics)
            EXPECT_NE(d.severity, Severity::warning) << "round " << round << ": " << Diagnostic_format("picture.txt", d);
    }
}

TEST(Draw_write, TrimsTrailingBlanksAndEmptyRowsAtTheBottom)
{
    Drawing drawing = Drawing_new();
    drawing.title = "Dot";
    Edit edit;
    Edit_square_set(drawing, edit, 3, 2, bordercolour);
    const std::string palette = "230,40,40\n250,150,30\n250,220,40\n60,180,70\n60,130,230\n150,80,200\n140,90,50\n255,255,255\n";
    EXPECT_EQ(Picture_text_make(drawing, "\n"), palette + "Dot\n\n  x\n");
    EXPECT_EQ(Picture_text_make(Drawing_new(), "\r\n").substr(0, 11), "230,40,40\r\n");
}

TEST(Draw_stroke, FarApartPositionsAreJoinedEdgeOrCornerToEdge)
{
    struct Case {
        Square_place from, to;
    } cases[] = {{{1, 1}, {38, 38}}, {{38, 2}, {2, 30}}, {{5, 5}, {5, 5}}, {{1, 20}, {38, 21}}, {{10, 1}, {12, 38}}};
    for (const Case& c : cases) {
        const auto line = Line_squares(c.from, c.to);
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.front(), c.from);
        EXPECT_EQ(line.back(), c.to);
        const std::size_t steps = static_cast<std::size_t>(std::max(std::abs(c.to.i - c.from.i), std::abs(c.to.j - c.from.j)));
        EXPECT_EQ(line.size(), steps + 1);
        for (std::size_t k = 1; k < line.size(); ++k)
            EXPECT_LE(std::max(std::abs(line[k].i - line[k - 1].i), std::abs(line[k].j - line[k - 1].j)), 1);
    }
}

// A closed shape drawn in four fast motions (one per corner) closes a
// region for the fill: the checker finds the inside as a region of its own.
TEST(Draw_stroke, AFastClosedStrokeEnclosesARegion)
{
    Drawing drawing = Drawing_new();
    Stroke stroke;
    Stroke_begin(stroke, drawing, Board_square_at(105, 205), bordercolour, false);
    for (auto [x, y] : {std::pair{505, 305}, {305, 705}, {105, 205}})
        Stroke_move(stroke, drawing, Board_square_at(x, y), false);
    const Region_map map = Regions_find(squarecount, drawing.squares, bordercolour);
    EXPECT_NE(map.of[static_cast<std::size_t>(15 * squarecount + 15)], map.of[static_cast<std::size_t>(2 * squarecount + 2)]);
}

TEST(Draw_stroke, MirrorStraightLineAndUndoRedoOfTheWholeStroke)
{
    Drawing drawing = Drawing_new();
    const Drawing blank = drawing;
    Stroke stroke;
    Stroke_begin(stroke, drawing, {2, 5}, bordercolour, true);
    Stroke_move(stroke, drawing, {6, 9}, false);
    Stroke_move(stroke, drawing, {10, 5}, true);   // Shift: only the line from the start remains
    for (int i = 2; i <= 10; ++i) {
        EXPECT_TRUE(Colour_cmp(Drawing_square(drawing, i, 5).c, bordercolour)) << i;
        EXPECT_TRUE(Colour_cmp(Drawing_square(drawing, squarecount - 1 - i, 5).c, bordercolour)) << i;
    }
    EXPECT_TRUE(Colour_cmp(Drawing_square(drawing, 4, 7).c, defaultcolour));
    EXPECT_EQ(stroke.edit.squares.size(), 18u);

    History history;
    History_add(history, stroke.edit);
    const Drawing drawn = drawing;
    ASSERT_NE(History_undo(history, drawing), nullptr);
    EXPECT_EQ(History_undo(history, drawing), nullptr);
    for (std::size_t k = 0; k < blank.squares.size(); ++k)
        ASSERT_TRUE(Colour_cmp(drawing.squares[k].c, blank.squares[k].c)) << k;
    ASSERT_NE(History_redo(history, drawing), nullptr);
    for (std::size_t k = 0; k < drawn.squares.size(); ++k)
        ASSERT_TRUE(Colour_cmp(drawing.squares[k].c, drawn.squares[k].c)) << k;
}

// A person's presses, moves and releases of the buttons on the board.
struct Pointer_step {
    enum { press, move, release } what;
    int button;   // 1 left, 3 right; none for a move
    Square_place at;
};

void Pointer_steps(Pen& pen, Drawing& drawing, History& history, const std::vector<Pointer_step>& steps)
{
    for (const Pointer_step& s : steps) {
        const Colour c = s.button == 1 ? bordercolour : defaultcolour;
        if (s.what == Pointer_step::press)
            Pen_press(pen, drawing, history, s.button, c, s.at, false);
        else if (s.what == Pointer_step::move)
            Pen_move(pen, drawing, s.at, false);
        else
            Pen_release(pen, drawing, history, s.button, s.at, false);
    }
}

int Outline_inside(const Drawing& drawing)
{
    int count = 0;
    for (int i = 1; i < squarecount - 1; ++i)
        for (int j = 1; j < squarecount - 1; ++j)
            count += Colour_cmp(drawing.squares[static_cast<std::size_t>(i * squarecount + j)].c, bordercolour);
    return count;
}

// Whatever the other button does meanwhile, a stroke stays the pressed
// button's until its release, and every stroke that changed squares is one
// step that Ctrl+Z takes back.
TEST(Draw_pen, EveryStrokeThatChangedSquaresCanBeUndone)
{
    using S = Pointer_step;
    struct Case {
        const char* what;
        std::vector<Pointer_step> steps;
        int outline;   // squares outline once the steps are done
        std::size_t strokes;
    } cases[] = {
        {"right pressed while the left draws, left released first",
         {{S::press, 1, {5, 5}}, {S::move, 0, {25, 5}}, {S::press, 3, {25, 5}}, {S::move, 0, {25, 15}},
          {S::release, 1, {25, 15}}, {S::release, 3, {25, 15}}},
         21 + 10, 1},
        {"right pressed while the left draws, right released first",
         {{S::press, 1, {5, 5}}, {S::move, 0, {25, 5}}, {S::press, 3, {25, 5}}, {S::move, 0, {25, 15}},
          {S::release, 3, {25, 15}}, {S::release, 1, {25, 15}}},
         21 + 10, 1},
        {"left pressed while the right clears",
         {{S::press, 1, {5, 5}}, {S::release, 1, {25, 5}}, {S::press, 3, {5, 5}}, {S::move, 0, {10, 5}},
          {S::press, 1, {10, 5}}, {S::release, 1, {15, 5}}, {S::release, 3, {15, 5}}},
         10, 2},
        {"left pressed again after its release was lost",
         {{S::press, 1, {5, 5}}, {S::move, 0, {25, 5}}, {S::press, 1, {5, 10}}, {S::move, 0, {25, 10}},
          {S::release, 1, {25, 10}}},
         42, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawing drawing = Drawing_new();
        History history;
        Pen pen;
        Pointer_steps(pen, drawing, history, c.steps);
        EXPECT_EQ(Outline_inside(drawing), c.outline);
        EXPECT_EQ(history.done.size(), c.strokes);
        while (History_undo(history, drawing))
            ;
        EXPECT_EQ(Outline_inside(drawing), 0) << "a stroke that no Ctrl+Z takes back";
    }
}

// Closing the window with a button still down keeps the stroke undoable.
TEST(Draw_pen, AStrokeEndedByClosingIsKept)
{
    Drawing drawing = Drawing_new();
    History history;
    Pen pen;
    Pointer_steps(pen, drawing, history, {{Pointer_step::press, 1, {5, 5}}, {Pointer_step::move, 0, {25, 5}}});
    Pen_end(pen, history);
    EXPECT_EQ(pen.button, 0);
    ASSERT_NE(History_undo(history, drawing), nullptr);
    EXPECT_EQ(Outline_inside(drawing), 0);
}

// Ctrl+Z after Ctrl+Y takes the redone stroke back once; the next Ctrl+Z
// goes on to the stroke before it.
TEST(Draw_history, UndoAfterRedoGoesOnToTheStrokeBefore)
{
    Drawing drawing = Drawing_new();
    History history;
    Pen pen;
    for (int j : {5, 10})
        Pointer_steps(pen, drawing, history, {{Pointer_step::press, 1, {5, j}}, {Pointer_step::release, 1, {25, j}}});
    const auto drawn = [&](int j) { return Colour_cmp(Drawing_square(drawing, 15, j).c, bordercolour); };
    ASSERT_NE(History_undo(history, drawing), nullptr);
    ASSERT_NE(History_redo(history, drawing), nullptr);
    EXPECT_TRUE(drawn(5) && drawn(10));
    ASSERT_NE(History_undo(history, drawing), nullptr);
    EXPECT_TRUE(drawn(5) && !drawn(10));
    ASSERT_NE(History_undo(history, drawing), nullptr);
    EXPECT_FALSE(drawn(5)) << "the second Ctrl+Z did not take back the first stroke";
    EXPECT_EQ(History_undo(history, drawing), nullptr);
    EXPECT_EQ(Outline_inside(drawing), 0);
}

// A new stroke after Ctrl+Z leaves nothing for Ctrl+Y: the stroke taken
// back does not come back over the new one.
TEST(Draw_history, ANewStrokeAfterUndoLeavesNothingToRedo)
{
    Drawing drawing = Drawing_new();
    History history;
    Pen pen;
    const auto stroke = [&](int j) {
        Pointer_steps(pen, drawing, history, {{Pointer_step::press, 1, {5, j}}, {Pointer_step::release, 1, {25, j}}});
    };
    stroke(5);
    ASSERT_NE(History_undo(history, drawing), nullptr);
    stroke(10);
    EXPECT_EQ(History_redo(history, drawing), nullptr);
    EXPECT_FALSE(Colour_cmp(Drawing_square(drawing, 15, 5).c, bordercolour)) << "the undone stroke came back";
    EXPECT_EQ(Outline_inside(drawing), 21);
}

TEST(Draw_stroke, TheRingCannotBeChanged)
{
    Drawing drawing = Drawing_new();
    Stroke stroke;
    Stroke_begin(stroke, drawing, Board_square_at(-50, 50), defaultcolour, false);
    Stroke_move(stroke, drawing, Board_square_at(900, 950), false);
    EXPECT_TRUE(stroke.edit.squares.empty());
    EXPECT_EQ(Board_square_at(-50, 50), (Square_place{0, 0}));
    EXPECT_EQ(Board_square_at(799, 899), (Square_place{39, 39}));
}

TEST(Draw_name, TheRuleForNewNames)
{
    struct Case {
        const char* name;
        bool ok;
    } cases[] = {
        {"owl", true}, {"my-owl-2", true}, {"сова", true}, {"猫", true}, {"Ölbaum", true}, {"", false},
        {"my owl", false}, {"owl.old", false}, {"a/b", false}, {"a\\b", false}, {"CON", false}, {"con", false},
        {"Lpt1", false}, {"COM\xC2\xB9", false}, {"COM10", true}, {"CONS", true}, {"nul-", true}, {"a:b", false},
        {"snow\xE2\x80\xA6", false}, {"\xFF", false}, {"\xC3", false}, {"smile\xF0\x9F\x98\x80", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Picture_name_problem(c.name).empty(), c.ok) << c.name << ": " << Picture_name_problem(c.name);
    EXPECT_EQ(Picture_name_problem(std::string(61, 'a')).empty(), false);
}

// The name question starts with a name made from the title; what cannot
// make a name leaves it as it was offered before (the copied file's name,
// or nothing).
TEST(Draw_name, TheNameOfferedIsMadeFromTheTitle)
{
    struct Case {
        std::string title;
        const char* otherwise;
        std::string offered;
    } cases[] = {
        {"A ball", "", "a-ball"},
        {"  My   big\towl  ", "", "my-big-owl"},
        {"Dad's boat, no. 2!", "", "dads-boat-no-2"},
        {"snake_case - and -- dashes", "", "snake-case-and-dashes"},
        {"-owl-", "", "owl"},
        {"Сова и Луна", "", "сова-и-луна"},
        {"ÖLBAUM \xE2\x80\x94 Tree", "", "ölbaum-tree"},
        {"ΩΜΕΓΑ Άλφα", "", "ωμεγα-άλφα"},
        {"ŁÓDŹ", "", "łódź"},
        {"猫 2", "", "猫-2"},
        {"bad \xFF\xC3 bytes", "", "bad-bytes"},
        {"Con", "", ""},
        {"COM1", "owl", "owl"},
        {"nul.", "owl", "owl"},
        {"", "owl", "owl"},
        {"   ", "", ""},
        {"?!. ...", "owl", "owl"},
        {std::string(70, 'A'), "", std::string(60, 'a')},
        {std::string(59, 'a') + " b", "", std::string(59, 'a')},
        {std::string(58, 'a') + " b", "", std::string(58, 'a') + "-b"},
    };
    for (const Case& c : cases) {
        const std::string offered = Picture_name_offer(c.title, c.otherwise);
        EXPECT_EQ(offered, c.offered) << "title \"" << c.title << "\"";
        if (!offered.empty()) {
            EXPECT_EQ(Picture_name_problem(offered), "") << offered;
        }
    }
}

TEST(Draw_save, AWriteThatFailsPartWayLeavesTheOldFileByteForByte)
{
    Scratch_folder folder;
    const fs::path path = folder.path / "owl.txt";
    const std::string old_bytes = "old picture\r\nwith its own bytes\n";
    std::ofstream(path, std::ios::binary) << old_bytes;
    const std::string why = File_replace(path.string(), Picture_text_make(Drawing_new(), "\n"), 40);
    EXPECT_NE(why.find("writing"), std::string::npos) << why;
    EXPECT_NE(why.find(folder.path.string()), std::string::npos) << why;
    EXPECT_EQ(File_bytes(path), old_bytes);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1) << "a scratch file was left";

    EXPECT_EQ(File_replace(path.string(), "new"), "");
    EXPECT_EQ(File_bytes(path), "new");
}

// A file the maker cannot keep as written opens as the painter shows it,
// with the checker's own words for what a save changes; one the painter
// refuses gets the painter's message.
TEST(Draw_open, WhatASaveWouldChangeAndWhatCannotBeOpened)
{
    Scratch_folder folder;
    const std::string palette = "230,40,40\n250,150,30\n250,220,40\n60,180,70\n60,130,230\n150,80,200\n140,90,50\n255,255,255\n";
    struct Case {
        const char* what;
        std::string text;
        const char* words;   // in the first change; "" for none
    } cases[] = {
        {"plain", palette + "Owl\n x\n", ""},
        {"unknown letter", palette + "Owl\n xX\n", "WHAT?"},
        {"line too long", palette + "Owl\n" + std::string(40, 'x') + "\n", "right edge"},
    };
    for (const Case& c : cases) {
        const fs::path path = folder.path / "owl.txt";
        std::ofstream(path, std::ios::binary) << c.text;
        const Drawing_opened opened = Drawing_open(path.string());
        EXPECT_EQ(opened.why, "") << c.what;
        EXPECT_TRUE(Colour_cmp(opened.drawing.squares[2 * squarecount + 1].c, bordercolour)) << c.what;
        EXPECT_EQ(opened.drawing.title, "Owl") << c.what;
        if (*c.words == 0)
            EXPECT_TRUE(opened.changes.empty()) << c.what << ": " << opened.changes.front();
        else
            EXPECT_TRUE(!opened.changes.empty() && opened.changes.front().find(c.words) != std::string::npos)
                << c.what << ": " << (opened.changes.empty() ? "nothing" : opened.changes.front());
    }
    // A title the checker would take for something else is caught before saving.
    Drawing drawing = Drawing_new();
    drawing.title = "My owl";
    EXPECT_TRUE(Drawing_warnings(drawing).empty());
    drawing.title = "xx  x";
    const auto warnings = Drawing_warnings(drawing);
    EXPECT_TRUE(!warnings.empty() && warnings.front().find("looks like a row") != std::string::npos);
    fs::create_directory(folder.path / "cave.txt");
    const Drawing_opened refused = Drawing_open((folder.path / "cave.txt").string());
    EXPECT_NE(refused.why.find("cannot read the picture file \"cave.txt\""), std::string::npos) << refused.why;
    EXPECT_TRUE(Drawing_open((folder.path / "new.txt").string()).why.empty());
}

// A drawing to trace: a black bar a tenth of the image wide, scaled up to
// the board, is proposed as the squares it covers mostly; a file that is
// no PNG is refused with its name.
TEST(Draw_trace, ThePngsDarkSquaresAreProposedAsOutline)
{
    Scratch_folder folder;
    const int side = 400;
    std::vector<std::uint8_t> grey(side * side, 255);
    for (int y = 0; y < side; ++y)
        for (int x = 100; x < 140; ++x)
            grey[static_cast<std::size_t>(y * side + x)] = 0;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = side;
    png.height = side;
    png.format = PNG_FORMAT_GRAY;
    const std::string path = (folder.path / "bar.png").string();
    ASSERT_TRUE(png_image_write_to_file(&png, path.c_str(), 0, grey.data(), 0, nullptr));
    std::string why;
    const Trace_image image = Trace_image_load(path, why);
    ASSERT_EQ(why, "");
    Drawing drawing = Drawing_new();
    const Edit edit = Trace_outline_propose(drawing, image);
    EXPECT_EQ(edit.squares.size(), 4u * 38u);
    for (int i = 0; i < squarecount; ++i)
        EXPECT_EQ(Colour_cmp(Drawing_square(drawing, i, 20).c, bordercolour), i == 0 || i == 39 || (i >= 10 && i <= 13)) << i;

    std::ofstream(folder.path / "not.png") << "text";
    EXPECT_TRUE(Trace_image_load((folder.path / "not.png").string(), why).grey.empty());
    EXPECT_NE(why.find("not.png\" is not a PNG image"), std::string::npos) << why;
}

std::uint32_t Crc32(std::string_view bytes)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

std::string Big_endian(std::uint32_t n)
{
    return {static_cast<char>(n >> 24), static_cast<char>(n >> 16), static_cast<char>(n >> 8), static_cast<char>(n)};
}

std::string Png_chunk(const std::string& type_and_data)
{
    return Big_endian(static_cast<std::uint32_t>(type_and_data.size() - 4)) + type_and_data +
           Big_endian(Crc32(type_and_data));
}

// A PNG of a grey image `width` x `height` whose image data ends after the
// compression's own two-byte header.
std::string Png_cut_short(std::uint32_t width, std::uint32_t height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) +
           Png_chunk("IHDR" + Big_endian(width) + Big_endian(height) + std::string("\x08\0\0\0\0", 5)) +
           Png_chunk("IDAT\x78\x9c") + Png_chunk("IEND");
}

// What --trace is given is looked at before it is read: anything but an
// ordinary file (a link is followed) is refused by what it is, without
// waiting for a pipe's writer or reading a device; a file that does not
// begin as a PNG by its first bytes; an image larger than any tracing needs
// by its header. Each refusal names the file.
TEST(Draw_trace, WhatCannotBeTracedIsRefusedBeforeItIsRead)
{
    Scratch_folder folder;
    const fs::path pipe = folder.path / "pipe.png";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    fs::create_symlink(pipe, folder.path / "link.png");
    fs::create_directory(folder.path / "folder.png");
    std::ofstream(folder.path / "text.png") << "text";
    const std::pair<const char*, std::string> files[] = {
        {"signature.png", std::string("\x89PNG\r\n\x1a\n", 8)},
        {"no-data.png", Png_cut_short(10, 10)},
        {"wide.png", Png_cut_short(8193, 1)},
        {"huge.png", Png_cut_short(100000, 100000)},
    };
    for (const auto& [name, bytes] : files)
        std::ofstream(folder.path / name, std::ios::binary) << bytes;
    struct Case {
        const char* what;
        fs::path path;
        const char* why;
    } cases[] = {
        {"a pipe with no writer", pipe, "it is a pipe, not a PNG image"},
        {"a link to a pipe", folder.path / "link.png", "it is a pipe, not a PNG image"},
        {"a device", "/dev/zero", "it is a device, not a PNG image"},
        {"a folder", folder.path / "folder.png", "it is a directory, not a PNG image"},
        {"no file", folder.path / "none.png", "No such file"},
        {"text", folder.path / "text.png", "is not a PNG image"},
        {"the PNG signature alone", folder.path / "signature.png", "cannot be read as a PNG image"},
        {"a PNG cut short", folder.path / "no-data.png", "cannot be read as a PNG image"},
        {"8193 x 1 pixels", folder.path / "wide.png", "larger than 8192 x 8192 pixels"},
        {"100000 x 100000 pixels", folder.path / "huge.png", "larger than 8192 x 8192 pixels"},
    };
    for (const Case& c : cases) {
        std::string why;
        const Trace_image image = Trace_image_load(c.path.string(), why);
        EXPECT_TRUE(image.grey.empty()) << c.what;
        EXPECT_NE(why.find("\"" + c.path.string() + "\""), std::string::npos) << c.what << ": " << why;
        EXPECT_NE(why.find(c.why), std::string::npos) << c.what << ": " << why;
    }
}

// A link to a PNG is followed to it.
TEST(Draw_trace, ALinkToAPngIsTraced)
{
    Scratch_folder folder;
    std::vector<std::uint8_t> grey(40 * 30, 0);
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = 40;
    png.height = 30;
    png.format = PNG_FORMAT_GRAY;
    ASSERT_TRUE(png_image_write_to_file(&png, (folder.path / "dark.png").c_str(), 0, grey.data(), 0, nullptr));
    fs::create_symlink(folder.path / "dark.png", folder.path / "link.png");
    std::string why;
    const Trace_image image = Trace_image_load((folder.path / "link.png").string(), why);
    EXPECT_EQ(why, "");
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 30);
    EXPECT_EQ(image.grey, grey);
}

}  // namespace
