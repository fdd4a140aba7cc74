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
#include "colouring/colouring_format.h"
#include "draw/colouring_restart.h"
#include "draw/drawing.h"
#include "draw/drawing_open.h"
#include "draw/file_replace.h"
#include "draw/picture_save.h"
#include "draw/picture_write.h"
#include "draw/stroke.h"
#include "draw/pen.h"
#include "draw/trace_image.h"
#include <png.h>
#include "picture_file/picture_name.h"
#include "saved_as.h"

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
    // Every line, the rows too, ends as asked: Notepad shows a lone LF as no line end at all.
    Edit_square_set(drawing, edit, 38, 38, bordercolour);
    const std::string lf = Picture_text_make(drawing, "\n");
    EXPECT_EQ(Picture_text_make(drawing, "\r\n"), Crlf_of(lf));
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
    // Every port name Windows keeps, as a person would type it, is refused for the device.
    for (const char* port : {"com", "lpt", "Com", "LPT"})
        for (char digit = '1'; digit <= '9'; ++digit) {
            const std::string name = port + std::string(1, digit);
            EXPECT_NE(Picture_name_problem(name).find("for a device"), std::string::npos) << name;
        }
    // The limit counts characters, not bytes: 60 are taken, the 61st is not.
    std::string cyrillic;
    for (int k = 0; k < 60; ++k)
        cyrillic += "я";
    for (const auto& [name, ok] : {std::pair{std::string(60, 'a'), true}, {cyrillic, true},
                                   {std::string(61, 'a'), false}, {cyrillic + "я", false}})
        EXPECT_EQ(Picture_name_problem(name).empty(), ok) << name.size() << " bytes: " << Picture_name_problem(name);
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

// What a person meets when another program writes the file meanwhile: a
// text editor changing the title, a second maker saving the same picture,
// a file turning up under a new name after it was found free. The file is
// left as the other wrote it until the person says to replace it.
TEST(Draw_save, AFileChangedSinceItWasReadIsNotReplacedUnasked)
{
    Scratch_folder folder;
    const std::string palette = "230,40,40\n250,150,30\n250,220,40\n60,180,70\n60,130,230\n150,80,200\n140,90,50\n255,255,255\n";
    const std::string mine = palette + "Mine\n x\n";
    const fs::path path = folder.path / "owl.txt";

    std::ofstream(path, std::ios::binary) << palette + "Owl\n x\n";
    File_seen seen = File_look(path.string());
    std::ofstream(path, std::ios::binary) << palette + "Cat\n x\n";   // the same size, perhaps the same second
    Save_result saved = Picture_save(path.string(), mine, seen, false);
    EXPECT_EQ(saved.outcome, Save_outcome::changed) << saved.why;
    EXPECT_NE(saved.why.find(path.string()), std::string::npos) << saved.why;
    EXPECT_EQ(File_bytes(path), palette + "Cat\n x\n");
    saved = Picture_save(path.string(), mine, seen, true);   // "Enter replaces it"
    EXPECT_EQ(saved.outcome, Save_outcome::saved) << saved.why;
    EXPECT_EQ(File_bytes(path), mine);
    saved = Picture_save(path.string(), mine + "x\n", seen, false);   // its own save is no outside change
    EXPECT_EQ(saved.outcome, Save_outcome::saved) << saved.why;

    // Two makers on one file: the second to save is asked.
    File_seen first = File_look(path.string());
    File_seen second = first;
    EXPECT_EQ(Picture_save(path.string(), palette + "First\n", first, false).outcome, Save_outcome::saved);
    EXPECT_EQ(Picture_save(path.string(), palette + "Second\n", second, false).outcome, Save_outcome::changed);
    EXPECT_EQ(File_bytes(path), palette + "First\n");

    // A name found free, whose file appears before the save.
    const fs::path fresh = folder.path / "fresh.txt";
    File_seen none = File_look(fresh.string());
    EXPECT_FALSE(none.exists);
    std::ofstream(fresh, std::ios::binary) << "someone else's";
    saved = Picture_save(fresh.string(), mine, none, false);
    EXPECT_EQ(saved.outcome, Save_outcome::changed) << saved.why;
    EXPECT_EQ(File_bytes(fresh), "someone else's");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2) << "a scratch file was left";
}

// A read-only picture is not replaced, as whoever runs the maker (root may
// write any file); every replaced file keeps its mode, a private one too;
// a link is followed, and the file it names is replaced in its own folder.
TEST(Draw_save, ReadOnlyPrivateAndLinkedPicturesKeepWhatTheyAre)
{
    Scratch_folder folder;
    const std::string old_text = "old picture\n";
    const std::string new_text = "new picture\n";
    using P = fs::perms;
    struct Case {
        const char* what;
        P mode;
        Save_outcome outcome;
    } cases[] = {
        {"read-only", P::owner_read | P::group_read | P::others_read, Save_outcome::read_only},
        {"read-only for its owner", P::owner_read | P::group_read | P::group_write, Save_outcome::read_only},
        {"private", P::owner_read | P::owner_write, Save_outcome::saved},
        {"shared with the group", P::owner_read | P::owner_write | P::group_read | P::group_write, Save_outcome::saved},
    };
    for (const Case& c : cases) {
        const fs::path path = folder.path / (std::string(c.what) + ".txt");
        std::ofstream(path, std::ios::binary) << old_text;
        fs::permissions(path, c.mode);
        if (fs::status(path).permissions() != c.mode)
            continue;   // a mode this system's files cannot have
        File_seen seen = File_look(path.string());
        const Save_result saved = Picture_save(path.string(), new_text, seen, false);
        EXPECT_EQ(saved.outcome, c.outcome) << c.what << ": " << saved.why;
        EXPECT_EQ(File_bytes(path), c.outcome == Save_outcome::saved ? new_text : old_text) << c.what;
        EXPECT_EQ(fs::status(path).permissions(), c.mode) << c.what;
        if (c.outcome == Save_outcome::read_only) {
            EXPECT_NE(saved.why.find("read-only"), std::string::npos) << saved.why;
        }
        fs::permissions(path, P::owner_all);
    }

    fs::create_directories(folder.path / "pictures");
    fs::create_directories(folder.path / "kept");
    const fs::path target = folder.path / "kept" / "owl.txt";
    const fs::path link = folder.path / "pictures" / "owl.txt";
    std::ofstream(target, std::ios::binary) << old_text;
    fs::permissions(target, P::owner_read | P::owner_write);
    std::error_code error;
    fs::create_symlink("../kept/owl.txt", link, error);
    if (error)
        GTEST_SKIP() << "no symbolic links here: " << error.message();
    File_seen seen = File_look(link.string());
    const Save_result saved = Picture_save(link.string(), new_text, seen, false);
    EXPECT_EQ(saved.outcome, Save_outcome::saved) << saved.why;
    EXPECT_TRUE(fs::is_symlink(link)) << "the link became a plain file";
    EXPECT_EQ(File_bytes(target), new_text);
    EXPECT_EQ(fs::status(target).permissions(), P::owner_read | P::owner_write);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path / "kept"), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path / "pictures"), fs::directory_iterator()), 1);
}

// A file the maker cannot keep as written opens as the painter shows it,
// and every line a save would change is named, with what it loses or
// becomes; line ends and trailing blanks, which the maker writes its own
// way, are no change. One the painter refuses gets the painter's message.
TEST(Draw_open, WhatASaveWouldChangeLineByLineAndWhatCannotBeOpened)
{
    Scratch_folder folder;
    const std::string palette = "230,40,40\n250,150,30\n250,220,40\n60,180,70\n60,130,230\n150,80,200\n140,90,50\n255,255,255\n";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> changes;
    } cases[] = {
        {"plain", palette + "Owl\n x\n", {}},
        {"CR LF and trailing blanks", Crlf_of(palette + "Owl\n x   \n\n  \n"), {}},
        {"numbered rows", palette + "Owl\n1x\n2" + std::string(18, ' ') + "x\n", {"line 10 loses \"1\"", "line 11 loses \"2\""}},
        {"unknown letter", palette + "Owl\n xX\n", {"line 10 loses \"X\""}},
        {"a blank before the line end of a row that goes on", palette + "Owl\n x \t\n", {"line 10 loses \" ?\""}},
        {"blank before a palette entry", " " + palette + "Owl\n x\n", {"line 1 (\" 230,40,40\") becomes \"230,40,40\""}},
        {"line too long: the next row moves down", palette + "Owl\n" + std::string(40, 'x') + "\n x\n",
         {"line 10 loses \"xx\"", "line 11 (\" x\") is left out", "line 12 gets \" x\""}},
        {"text after the last row", palette + "Owl\n x\n" + std::string(38, '\n') + "drawn by Ann\n",
         {"line 49 (\"drawn by Ann\") is left out"}},
        {"text after a Ctrl-Z", palette + "Owl\n x\n\x1A" + "notes\n", {"line 11 (\"?notes\") is left out"}},
        {"a shifted palette", "230 ,40,40\n" + palette.substr(10) + "Owl\n x\n",
         {"line 1 (\"230 ,40,40\") becomes \"230,0,0\""}},
    };
    for (const Case& c : cases) {
        const fs::path path = folder.path / "owl.txt";
        std::ofstream(path, std::ios::binary) << c.text;
        const Drawing_opened opened = Drawing_open(path.string());
        EXPECT_EQ(opened.why, "") << c.what;
        if (c.changes.empty()) {
            EXPECT_EQ(opened.changes, c.changes) << c.what;
        } else {
            ASSERT_GE(opened.changes.size(), c.changes.size()) << c.what;
            for (std::size_t k = 0; k < c.changes.size(); ++k)
                EXPECT_EQ(opened.changes[k], c.changes[k]) << c.what;
        }
    }
    fs::create_directory(folder.path / "cave.txt");
    const Drawing_opened refused = Drawing_open((folder.path / "cave.txt").string());
    EXPECT_NE(refused.why.find("cannot read the picture file \"cave.txt\""), std::string::npos) << refused.why;
    EXPECT_TRUE(Drawing_open((folder.path / "new.txt").string()).why.empty());
}

// A save asks before it starts a kept colouring again: only when one is
// kept under the file's own or bundled name, made on the picture the file
// holds now, and the save changes the palette or the outlines.
TEST(Draw_save, ASaveThatStartsAKeptColouringAgainIsFound)
{
    Scratch_folder folder;
    const Picture_places places{(folder.path / "own").string(), (folder.path / "bundled").string(),
                                (folder.path / "colourings").string()};
    for (const fs::path& made : {folder.path / "own", folder.path / "bundled", folder.path / "colourings",
                                 folder.path / "elsewhere"})
        fs::create_directories(made);
    const std::string palette = "230,40,40\n250,150,30\n250,220,40\n60,180,70\n60,130,230\n150,80,200\n140,90,50\n255,255,255\n";
    const std::string picture = palette + "Owl\n xxx\n x x\n xxx\n";
    const std::string older = palette + "Owl\n xxxx\n";
    enum class Change { none, outline, palette, title };
    struct Case {
        const char* what;
        const char* folder;        // where the picture file lies
        const char* kept_as;       // the colouring file's name; "" when none is kept
        const std::string* kept_on;   // the picture text the colouring was made on
        Change change;
        bool asks;
    } cases[] = {
        {"outline drawn", "own", "owl.own.colouring", &picture, Change::outline, true},
        {"outline cleared", "own", "owl.own.colouring", &picture, Change::outline, true},
        {"palette colour changed", "own", "owl.own.colouring", &picture, Change::palette, true},
        {"title only", "own", "owl.own.colouring", &picture, Change::title, false},
        {"nothing changed", "own", "owl.own.colouring", &picture, Change::none, false},
        {"bundled picture", "bundled", "owl.bundled.colouring", &picture, Change::outline, true},
        {"bundled picture, only an own colouring", "bundled", "owl.own.colouring", &picture, Change::outline, false},
        {"own picture, only a bundled colouring", "own", "owl.bundled.colouring", &picture, Change::outline, false},
        {"no colouring kept", "own", "", &picture, Change::outline, false},
        {"colouring of an older version", "own", "owl.own.colouring", &older, Change::outline, false},
        {"a file the book never opens", "elsewhere", "owl.own.colouring", &picture, Change::outline, false},
    };
    for (const Case& c : cases) {
        fs::remove_all(folder.path / "colourings");
        fs::create_directories(folder.path / "colourings");
        const fs::path path = folder.path / c.folder / "owl.txt";
        std::ofstream(path, std::ios::binary) << *c.kept_on;
        const Drawing kept_on = Drawing_open(path.string()).drawing;
        std::ofstream(path, std::ios::binary) << picture;
        if (*c.kept_as) {
            const Colouring colouring = Colouring_take(Picture_digest(kept_on.squares, kept_on.colours),
                                                       kept_on.squares, kept_on.colours, kept_on.colours[2]);
            std::ofstream(folder.path / "colourings" / c.kept_as, std::ios::binary) << Colouring_text(colouring);
        }
        Drawing drawing = Drawing_open(path.string()).drawing;
        Edit edit;
        if (c.change == Change::outline)
            Edit_square_set(drawing, edit, std::string_view(c.what) == "outline drawn" ? 30 : 2, 2,
                            std::string_view(c.what) == "outline drawn" ? bordercolour : defaultcolour);
        if (c.change == Change::palette)
            drawing.colours[3] = Colour{61, 180, 70};
        if (c.change == Change::title)
            drawing.title = "A wise owl";
        const std::string colouring_path = Colouring_path_of(path.string(), places);
        EXPECT_EQ(Save_restarts_colouring(path.string(), colouring_path, drawing), c.asks) << c.what;
        EXPECT_EQ(File_bytes(path), picture) << c.what << ": the decision wrote the picture";
    }
    EXPECT_EQ(Colouring_path_of((folder.path / "own" / "owl.txt").string(), places),
              (folder.path / "colourings" / "owl.own.colouring").string());
    EXPECT_EQ(Colouring_path_of((folder.path / "bundled" / "owl.txt").string(), places),
              (folder.path / "colourings" / "owl.bundled.colouring").string());
    EXPECT_EQ(Colouring_path_of((folder.path / "own" / "owl.png").string(), places), "");
}

// A title is judged by what the checker says of the title line alone, from
// the text in memory: a palette it would warn about refuses no title, and a
// temporary folder that cannot be written lets no bad title through.
TEST(Draw_title, OnlyTheTitleLinesWarningsRefuseATitleWithNoScratchFile)
{
    Drawing drawing = Drawing_new();
    drawing.title = "My owl";
    EXPECT_TRUE(Drawing_warnings(drawing).empty());
    drawing.title = "xx  x";
    auto warnings = Drawing_warnings(drawing);
    EXPECT_TRUE(!warnings.empty() && warnings.front().find("looks like a row") != std::string::npos);

    Drawing shared = Drawing_new();
    shared.colours[1] = shared.colours[0];   // the checker warns about the palette, not the title
    shared.title = "My owl";
    warnings = Drawing_warnings(shared);
    EXPECT_TRUE(warnings.empty()) << warnings.front();

    const char* const was = std::getenv("TMPDIR");
    const std::string before = was ? was : "";
    setenv("TMPDIR", "/nonexistent/tintora-draw-test", 1);
    drawing.title = "x x";
    warnings = Drawing_warnings(drawing);
    if (was)
        setenv("TMPDIR", before.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_TRUE(!warnings.empty() && warnings.front().find("looks like a row") != std::string::npos)
        << "no temporary folder: " << (warnings.empty() ? "no warning" : warnings.front());
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
