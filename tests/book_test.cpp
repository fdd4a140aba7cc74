// The picture book's logic without a window: which pictures it lists from
// the two folders and in what order, their titles, the thumbnail rule, the
// cards of good and bad files, the layout's hit test and movements, the
// drawing of a cell (selection and warning mark), and running the painter.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>
#include "saved_as.h"
#include "board/geometry.h"
#include "board/picture_view.h"
#include "book/book_draw.h"
#include "book/book_layout.h"
#include "book/book_places.h"
#include "book/painter_run.h"
#include "book/colouring_kept.h"
#include "book/picture_card.h"
#include "book/picture_export.h"
#include "book/picture_list.h"
#include "book/picture_reselect.h"
#include "book/print_layout.h"
#include "book/thumbnail.h"
#include "check/regions.h"
#include "picture_file/file_read.h"
#include "scratch.h"

namespace {

namespace fs = std::filesystem;

std::uint32_t Pixel(SDL_Surface* surface, int x, int y)
{
    return static_cast<const std::uint32_t*>(surface->pixels)[static_cast<std::size_t>(y) * surface->pitch / 4 + x];
}

// A picture with a known outline: square (5, 7) and the top row of the grid.
std::string Sample_picture(const std::string& title)
{
    return "230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0\n" + title +
           "\n" + std::string(38, 'x') + "\n\n\n\n\n    x\n";
}

std::vector<std::string> Names(const std::vector<Picture_entry>& list)
{
    std::vector<std::string> names;
    for (const Picture_entry& e : list)
        names.push_back(e.name + (e.own ? " (own)" : ""));
    return names;
}

TEST(Picture_name, OnlyNamesThePainterTurnsBackIntoTheSameFile)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"owl.txt", "owl"},
        {"Drache mit Flügeln.txt", "Drache mit Flügeln"},   // any script, blanks too
        {"猫.txt", "猫"},
        {"owl.TXT", ""},        // the painter asks for owl.txt, another file here (not on Windows)
        {"my.dragon.txt", ""},  // the painter would read my.txt
        {".txt", ""},
        {"owl.txt~", ""},
        {"owl", ""},
        {"back\\slash.txt", ""},
        {"notes.md", ""},
    };
    for (const auto& [file, name] : cases)
        EXPECT_EQ(Picture_name_of(file), name) << file;
}

TEST(Picture_list, OwnPicturesFirstAndAnOwnNameHidesTheBundledOne)
{
    Scratch s;
    for (const char* f : {"own/zebra.txt", "own/owl.txt", "own/notes.md", "own/my.dragon.txt", "bundled/owl.txt",
                          "bundled/boat.txt", "bundled/apple.txt"})
        s.Write(f, "x");
    fs::create_directories(s.root / "own" / "folder.txt");   // shown, so its message can be
    fs::create_directories(s.root / "bundled" / "sub");
    const auto list = Picture_list_make((s.root / "own").string(), (s.root / "bundled").string());
    EXPECT_EQ(Names(list), (std::vector<std::string>{"folder (own)", "owl (own)", "zebra (own)", "apple", "boat"}));
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[1].folder, (s.root / "own").string());
    EXPECT_EQ(list[3].folder, (s.root / "bundled").string());
}

TEST(Picture_list, AMissingOrEmptyFolderAddsNothing)
{
    Scratch s;
    s.Write("bundled/owl.txt", "x");
    const std::string bundled = (s.root / "bundled").string();
    EXPECT_EQ(Names(Picture_list_make((s.root / "nowhere").string(), bundled)), std::vector<std::string>{"owl"});
    EXPECT_EQ(Names(Picture_list_make("", bundled)), std::vector<std::string>{"owl"});
    EXPECT_EQ(Names(Picture_list_make(bundled, "")), std::vector<std::string>{"owl (own)"});
    s.Write("file", "x");
    EXPECT_TRUE(Picture_list_make((s.root / "file").string(), "").empty());
}

// After the maker, the selection follows its picture through the new list:
// onto the picture just saved, or the one it was on, never onto whatever
// now has the old number.
TEST(Picture_reselect, TheSelectionFollowsItsPictureNotItsNumber)
{
    const Picture_entry card{}, own_boat{"boat", "o", true}, own_owl{"owl", "o", true}, apple{"apple", "b", false},
        owl{"owl", "b", false}, zebra{"zebra", "b", false};
    const std::vector<Picture_entry> before{card, own_boat, apple, owl, zebra};
    struct Case {
        const char* what;
        int selected;
        std::vector<Picture_entry> after;
        int expected;
    };
    const Case cases[] = {
        {"an own copy of the bundled owl takes its place, first", 3, {card, own_boat, own_owl, apple, zebra}, 2},
        {"a new picture from the first card", 0, {card, own_boat, own_owl, apple, owl, zebra}, 2},
        {"nothing saved: the same picture, moved by nothing", 4, before, 4},
        {"nothing saved from the first card", 0, before, 0},
        {"an own picture changed in place", 1, before, 1},
        {"the selected picture gone from the folder", 4, {card, own_boat, apple, owl}, 3},
        {"a list that became empty", 2, {}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Picture_reselect(before, c.selected, c.after), c.expected) << c.what;
    // Only the first card was there, the own folder held nothing.
    EXPECT_EQ(Picture_reselect({card, apple, owl}, 2, {card, own_boat, apple, owl}), 1);
}

// A folder of 10,000 files that are not pictures: only the .txt names count.
TEST(Picture_list, AFolderOfTenThousandOtherFilesListsOnlyItsPictures)
{
    Scratch s;
    const fs::path folder = s.root / "crowded";
    fs::create_directories(folder);
    for (int k = 0; k < 10000; ++k)
        std::ofstream(folder / ("note" + std::to_string(k) + (k % 2 ? ".md" : ".txt.bak")));
    for (const char* name : {"owl.txt", "猫.txt"})
        std::ofstream(folder / name) << "x";
    EXPECT_EQ(Names(Picture_list_make(folder.string(), "")), (std::vector<std::string>{"owl (own)", "猫 (own)"}));
}

// Installed, the pictures are one level up from bin; in a build tree, in
// share/ beside the book; the painter is always beside it.
TEST(Book_places, ThePainterBesideTheBookAndThePicturesWhereTheTreeHasThem)
{
    Scratch s;
    const fs::path usr = s.root / "usr";
    fs::create_directories(usr / "bin");
    fs::create_directories(usr / "share" / "tintora" / "pictures");
    fs::create_directories(s.root / "build" / "share" / "tintora" / "pictures");
    const Book_places installed = Book_places_find((usr / "bin").string());
    EXPECT_EQ(installed.painter, (usr / "bin" / "tintora").string());
    EXPECT_EQ(installed.bundled, (usr / "bin" / ".." / "share" / "tintora" / "pictures").lexically_normal().string());
    const Book_places build = Book_places_find((s.root / "build").string());
    EXPECT_EQ(build.painter, (s.root / "build" / "tintora").string());
    EXPECT_EQ(build.bundled, (s.root / "build" / "share" / "tintora" / "pictures").string());
    EXPECT_EQ(Book_places_find("").bundled, "");
}

TEST(Picture_title, TheLineAfterThePaletteElseTheName)
{
    const std::vector<std::array<std::string, 3>> cases{
        {"A house", "house", "A house"},
        {"  A house \t\r", "house", "A house"},
        {"", "house", "house"},
        {" \t ", "house", "house"},
        {"Ein Häuschen", "house", "Ein H?uschen"},   // one '?' per character the font lacks
        {"猫の家", "house", "???"},
        {"tab\there", "house", "tab?here"},
        {"", "猫", "?"},
    };
    for (const auto& [separator, name, title] : cases)
        EXPECT_EQ(Picture_title(separator, name), title) << separator;
}

// The rule: thumbnail pixel (x, y) is view pixel (5x + 2, 5y + 2), which
// never falls on a grid line, so each square shows as 4 x 4 pixels.
TEST(Thumbnail, EveryPixelIsTheViewPixelTheRuleNames)
{
    std::array<Square, squarecount * squarecount> squares{};
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    squares[5 * squarecount + 7].c = bordercolour;
    const std::array<Colour, colourcount> colours{{{230, 57, 70}, {255, 183, 3}, {33, 158, 188}, {106, 176, 76},
                                                   {244, 162, 97}, {142, 90, 60}, {255, 255, 255}, {0, 0, 0}}};
    SDL_Surface* view = Picture_view_create(squarecount, squares, colourcount, colours);
    ASSERT_NE(view, nullptr);
    SDL_Surface* thumb = Thumbnail_reduce(view);
    ASSERT_NE(thumb, nullptr);
    ASSERT_EQ(thumb->w, 160);
    ASSERT_EQ(thumb->h, 180);
    int differing = 0;
    for (int y = 0; y < 180; ++y)
        for (int x = 0; x < 160; ++x)
            differing += Pixel(thumb, x, y) != Pixel(view, 5 * x + 2, 5 * y + 2);
    EXPECT_EQ(differing, 0);
    // Square (5, 7): window pixels 100..119 x 240..259, thumbnail 20..23 x 48..51.
    for (int y = 48; y < 52; ++y)
        for (int x = 20; x < 24; ++x)
            EXPECT_EQ(Pixel(thumb, x, y), 0x141414u) << x << "," << y;
    EXPECT_EQ(Pixel(thumb, 24, 48), 0xC8C8C8u);   // its right neighbour: default grey, no grid line
    EXPECT_EQ(Pixel(thumb, 10, 10), 0xE63946u);   // the first swatch, framed as current
    SDL_FreeSurface(thumb);
    SDL_FreeSurface(view);
}

TEST(Picture_card, AGoodPictureHasItsTitleAndThePaintersThumbnail)
{
    Scratch s;
    s.Write("pics/boat.txt", Sample_picture("  A boat  "));
    const fs::path before = fs::current_path();
    const Picture_card card = Picture_card_make({"boat", (s.root / "pics").string(), true});
    EXPECT_EQ(fs::current_path(), before) << "the working folder was not put back";
    EXPECT_EQ(card.title, "A boat");
    EXPECT_EQ(card.message, "");
    EXPECT_FALSE(card.warned);
    ASSERT_TRUE(card.thumbnail);
    // Board row 1 is the grid's first line, all outline: window y 120..139, thumbnail y 24..27.
    EXPECT_EQ(Pixel(card.thumbnail.get(), 80, 25), 0x141414u);
    EXPECT_EQ(Pixel(card.thumbnail.get(), 80, 29), 0xC8C8C8u);
}

// The mark is tintora-check's verdict: a stray character, or a blank before
// a comma that shifts the palette, marks a card; a clean picture does not.
TEST(Picture_card, CarriesTheMarkExactlyWhenTheCheckerWarns)
{
    Scratch s;
    const std::string good = Sample_picture("Fine");
    std::string shifted = good;
    shifted.replace(shifted.find("255,183,3"), 9, "255 ,183,3");
    const std::pair<const char*, std::string> cases[] = {
        {"fine", good},
        {"stray", good + "  X\n"},
        {"shifted", shifted},
    };
    for (const auto& [name, text] : cases) {
        s.Write(std::string("pics/") + name + ".txt", text);
        const Picture_card card = Picture_card_make({name, (s.root / "pics").string(), true});
        EXPECT_EQ(card.warned, std::string(name) != "fine") << name;
        EXPECT_EQ(card.message, "") << name;
    }
}

// The mark, the parts and the thumbnail describe one reading of the file:
// the parts are the regions of the board the thumbnail shows (read back
// from its pixels, one per square), whether or not the checker warns.
TEST(Picture_card, ItsMarkPartsAndThumbnailAreOneReading)
{
    Scratch s;
    const std::string palette =
        "230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0\nBoxes\n";
    struct Case {
        const char* name;
        const char* middle;   // the grid's second line, between two full lines of five
        int parts;
        bool warned;
    };
    const Case cases[] = {
        {"open", "x x x", 3, false},     // two one-square boxes and the rest
        {"stray", "x xX x", 3, true},    // the stray 'X' takes no square
        {"closed", "x xXxx", 2, true},   // so the second box is outline here
    };
    for (const Case& c : cases) {
        s.Write(std::string("pics/") + c.name + ".txt", palette + "xxxxx\n" + c.middle + "\nxxxxx\n");
        const Picture_card card = Picture_card_make({c.name, (s.root / "pics").string(), true});
        EXPECT_EQ(card.message, "") << c.name;
        EXPECT_EQ(card.warned, c.warned) << c.name;
        EXPECT_EQ(card.parts, c.parts) << c.name;
        ASSERT_TRUE(card.thumbnail) << c.name;
        // Square (i, j) is thumbnail pixels 4i.. x 4j + 20..: outline where it is the outline colour.
        std::array<Square, squarecount * squarecount> shown{};
        Squares_create(squarecount, shown, squaresize, menustrip, defaultcolour, bordercolour);
        for (int i = 0; i < squarecount; ++i)
            for (int j = 0; j < squarecount; ++j)
                if (Pixel(card.thumbnail.get(), 4 * i + 1, 4 * j + 21) == 0x141414u)
                    shown[static_cast<std::size_t>(i * squarecount + j)].c = bordercolour;
        EXPECT_EQ(static_cast<int>(Regions_find(squarecount, shown, bordercolour).regions.size()), card.parts)
            << c.name;
    }
}

// Saved as a Windows editor saves it, a picture's card is its plain twin's:
// the title as its text, the same thumbnail, no mark for the encoding.
TEST(Picture_card, AMarkedOrUtf16PictureHasThePlainOnesCard)
{
    Scratch s;
    const std::string plain = Sample_picture("A boat");
    s.Write("pics/plain.txt", plain);
    const Picture_card want = Picture_card_make({"plain", (s.root / "pics").string(), true});
    ASSERT_TRUE(want.thumbnail);
    for (const Saved_as as : {Saved_as::utf8_marked, Saved_as::utf16le, Saved_as::utf16be}) {
        s.Write("pics/saved.txt", Saved_text(Crlf_of(plain), as));
        const Picture_card card = Picture_card_make({"saved", (s.root / "pics").string(), true});
        EXPECT_EQ(card.title, "A boat");
        EXPECT_EQ(card.message, "");
        EXPECT_FALSE(card.warned);
        ASSERT_TRUE(card.thumbnail);
        for (int y = 0; y < want.thumbnail->h; y += 3)
            for (int x = 0; x < want.thumbnail->w; x += 3)
                ASSERT_EQ(Pixel(card.thumbnail.get(), x, y), Pixel(want.thumbnail.get(), x, y)) << x << "," << y;
    }
}

// What cannot be read shows the painter's own message, naming the folder.
TEST(Picture_card, ABadFileShowsThePaintersMessage)
{
    Scratch s;
    const fs::path folder = s.root / "pics";
    fs::create_directories(folder / "cave.txt");
    s.Write("pics/locked.txt", Sample_picture("Locked"));
    fs::permissions(folder / "locked.txt", fs::perms::none);
    s.Write("pics/huge.txt", std::string(1100 * 1024, '1'));   // digits only: never reaches its grid
    ASSERT_EQ(mkfifo((folder / "pipe.txt").c_str(), 0644), 0);   // no writer: reading it would wait for ever
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    std::vector<std::pair<std::string, std::string>> cases{
        {"cave", Picture_failure_message("cave.txt", "it is a directory, not a picture file")},
        {"gone", Picture_failure_message("gone.txt", "No such file or directory")},
        {"pipe", Picture_failure_message("pipe.txt", "it is a pipe, not a picture file")},
        {"huge", ""},
    };
    if (geteuid() != 0)   // root reads it anyway
        cases.push_back({"locked", Picture_failure_message("locked.txt", "Permission denied")});
    fs::current_path(before);
    for (auto& [name, message] : cases) {
        const Picture_card card = Picture_card_make({name, folder.string(), true});
        if (name == "huge") {
            EXPECT_NE(card.message.find("huge.txt"), std::string::npos) << card.message;
            EXPECT_NE(card.message.find("more than 1 MiB"), std::string::npos) << card.message;
        } else {
            message.pop_back();   // the card keeps no line end
            EXPECT_EQ(card.message, message);
        }
        EXPECT_FALSE(card.thumbnail) << name;
        EXPECT_EQ(card.title, name);
    }
    const Picture_card lost = Picture_card_make({"owl", (s.root / "nowhere").string(), true});
    EXPECT_NE(lost.message.find("nowhere"), std::string::npos) << lost.message;
    EXPECT_EQ(fs::current_path(), before);
}

TEST(Book_layout, AClickOnAThumbnailOrTitleNamesItsPicture)
{
    Book_view view{10, 0, 0};
    struct Case {
        int x, y, top_row, picture;
    };
    const std::vector<Case> cases{
        {20, 12, 0, 0},     // the first thumbnail's top left pixel
        {179, 191, 0, 0},   // its bottom right
        {100, 205, 0, 0},   // its title
        {19, 50, 0, -1},    // left of it
        {100, 11, 0, -1},   // above it
        {100, 220, 0, 0},   // the number of parts under the title
        {100, 224, 0, -1},  // below that
        {220, 12, 0, 1},
        {620, 237, 0, 7},   // second row, last column
        {220, 462, 0, 9},
        {420, 462, 0, -1},  // where an eleventh picture would be
        {20, 12, 1, 4},     // scrolled one row
        {-1, 50, 0, -1},
        {800, 50, 0, -1},
        {100, 899, 0, -1},
    };
    for (const Case& c : cases) {
        view.top_row = c.top_row;
        EXPECT_EQ(Book_hit(view, c.x, c.y), c.picture) << c.x << "," << c.y << " top row " << c.top_row;
    }
}

// A left click on a card with buttons: on a button it presses that one,
// elsewhere on the thumbnail or title it opens the picture, and in the gap
// between two buttons it does nothing. Picture 0 shows no buttons (the "New
// picture" card), 1 two (kept), 5 three, the rest one.
TEST(Book_layout, AClickOnACardPressesTheButtonUnderItElseOpensThePicture)
{
    const std::vector<int> buttons{0, 2, 1, 1, 1, 3, 1, 1, 1, 1};
    struct Case {
        int x, y, top_row;
        Book_press press;
    };
    const std::vector<Case> cases{
        {300, 102, 0, {1, -1}},   // the middle of the thumbnail
        {300, 205, 0, {1, -1}},   // the title
        {225, 136, 0, {1, 0}},    // the top button's top left pixel
        {340, 159, 0, {1, 0}},    // its bottom right
        {341, 150, 0, {1, -1}},   // right of it
        {224, 150, 0, {1, -1}},   // left of it
        {300, 135, 0, {1, -1}},   // above the stack
        {300, 161, 0, {-1, -1}},  // between the two buttons
        {300, 163, 0, {1, 1}},    // the lower one
        {300, 186, 0, {1, 1}},
        {300, 187, 0, {1, -1}},   // under the stack, on the thumbnail still
        {30, 180, 0, {0, -1}},    // no buttons: the card opens
        {430, 180, 0, {2, 0}},    // one button, at the stack's bottom
        {430, 150, 0, {2, -1}},
        {300, 327, 0, {5, -1}},   // three buttons leave the middle opening
        {300, 334, 0, {5, 0}},
        {300, 372, 0, {5, 1}},
        {300, 400, 0, {5, 2}},
        {300, 150, 1, {5, 1}},    // scrolled a row: picture 5 in the top row
        {10, 150, 0, {-1, -1}},   // between cells
        {300, 102, 3, {-1, -1}},  // no picture there
    };
    for (const Case& c : cases) {
        const Book_view view{10, 0, c.top_row};
        const Book_press press = Book_press_at(view, c.x, c.y, buttons);
        EXPECT_EQ(std::pair(press.picture, press.button), std::pair(c.press.picture, c.press.button))
            << c.x << "," << c.y << " top row " << c.top_row;
    }
    // A list of counts shorter than the pictures: no buttons for the rest.
    EXPECT_EQ(Book_press_at({10, 0, 0}, 625, 180, {0, 2}).button, -1);
}

// However many buttons a card shows, they stay on its thumbnail, clear of
// its middle (where a click opens it) and of the kept mark in its bottom
// right corner; and they show only where the pointer is on a thumbnail.
TEST(Book_layout, ButtonsStayOnTheThumbnailClearOfItsMiddleAndTheMark)
{
    const Book_point cell{600, 450};
    const int tx = cell.x + book_thumbnail_x, ty = cell.y + book_thumbnail_y;
    for (int count = 1; count <= book_buttons_most; ++count)
        for (int slot = 0; slot < count; ++slot) {
            const Book_rect r = Book_button_place(cell, slot, count);
            EXPECT_GE(r.x, tx);
            EXPECT_GE(r.y, ty + thumbnail_height / 2 + 1) << count << " buttons, slot " << slot;
            EXPECT_LE(r.y + r.height, ty + thumbnail_height);
            EXPECT_LE(r.x + r.width, tx + thumbnail_width - 20) << "over the kept mark";
            EXPECT_GE(r.width, 8 * static_cast<int>(std::string("Start again").size()) + 8);
            EXPECT_GE(r.height, 20);
            if (slot > 0) {
                EXPECT_GT(r.y, Book_button_place(cell, slot - 1, count).y + book_button_height);
            }
        }
    const Book_view view{10, 0, 0};
    EXPECT_EQ(Book_thumbnail_at(view, 220, 12), 1);
    EXPECT_EQ(Book_thumbnail_at(view, 379, 191), 1);
    EXPECT_EQ(Book_thumbnail_at(view, 300, 205), -1);   // the title
    EXPECT_EQ(Book_thumbnail_at(view, 219, 100), -1);
    EXPECT_EQ(Book_thumbnail_at(view, -1, -1), -1);     // the pointer out of the window
}

// The question's answers: Yes and No apart, both inside the box the
// question is drawn in (at least three lines high), clear of its text.
TEST(Book_layout, TheQuestionIsAnsweredByItsYesAndNoButtons)
{
    struct Case {
        int x, y;
        Book_answer answer;
    };
    const Book_rect yes = Book_answer_place(Book_answer::yes);
    const Book_rect no = Book_answer_place(Book_answer::no);
    const std::vector<Case> cases{
        {yes.x, yes.y, Book_answer::yes},
        {yes.x + yes.width - 1, yes.y + yes.height - 1, Book_answer::yes},
        {yes.x + yes.width, yes.y + 5, Book_answer::none},   // between them
        {no.x, no.y, Book_answer::no},
        {no.x + no.width - 1, no.y + no.height - 1, Book_answer::no},
        {no.x + no.width, no.y, Book_answer::none},
        {no.x, no.y - 1, Book_answer::none},
        {400, 450, Book_answer::none},
        {100, 880, Book_answer::none},   // the box's text
    };
    for (const Case& c : cases)
        EXPECT_EQ(Book_answer_at(c.x, c.y), c.answer) << c.x << "," << c.y;
    const int box_top = book_height - 30 - 10 * 3;
    for (const Book_rect& r : {yes, no}) {
        EXPECT_GT(r.y, box_top);
        EXPECT_LE(r.y + r.height, book_height);
        EXPECT_GE(r.x, 20 + 8 * book_question_chars) << "over the question's text";
        EXPECT_LE(r.x + r.width, book_width);
    }
}

TEST(Book_layout, ArrowsMoveTheSelectionWithinThePicturesAndKeepItInSight)
{
    Book_view view{30, 0, 0};   // 8 rows, 4 in sight
    struct Step {
        int columns, rows, selected, top_row;
    };
    const std::vector<Step> steps{
        {-1, 0, 0, 0},  {0, -1, 0, 0}, {1, 0, 1, 0},  {0, 1, 5, 0},  {0, 1, 9, 0},   {0, 1, 13, 0},
        {0, 1, 17, 1},  {0, 1, 21, 2}, {0, 1, 25, 3}, {0, 1, 29, 4}, {0, 1, 29, 4},  {1, 0, 29, 4},
        {0, -4, 13, 3}, {-1, 0, 12, 3}, {0, -3, 0, 0},
    };
    for (const Step& s : steps) {
        Book_select_move(view, s.columns, s.rows);
        EXPECT_EQ(view.selected, s.selected) << s.columns << "," << s.rows;
        EXPECT_EQ(view.top_row, s.top_row) << s.columns << "," << s.rows;
    }
    Book_view empty;
    Book_select_move(empty, 1, 1);
    EXPECT_EQ(empty.selected, 0);
}

TEST(Book_layout, TheWheelScrollsOnlyWhenThereIsMoreThanFits)
{
    Book_view few{16, 0, 0};
    Book_scroll(few, 1);
    EXPECT_EQ(few.top_row, 0);
    Book_view many{30, 0, 0};
    for (int expected : {1, 2, 3, 4, 4}) {
        Book_scroll(many, 1);
        EXPECT_EQ(many.top_row, expected);
    }
    Book_scroll(many, -10);
    EXPECT_EQ(many.top_row, 0);
    EXPECT_EQ(many.selected, 0);
}

// A cell drawn on a plain surface: the thumbnail where the layout says, the
// frame only when selected, the warning mark only when warned.
TEST(Book_draw, TheSelectionFrameAndTheWarningMarkShowOnlyWhenSet)
{
    Picture_card card;
    card.title = "A boat";
    card.thumbnail.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, 160, 180, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    SDL_FillRect(card.thumbnail.get(), nullptr, 0x00FF00);
    const int mark_x = 200 + book_thumbnail_x + thumbnail_width - 12;
    const int mark_y = 225 + book_thumbnail_y + 12 + 7;   // below the '!', inside the disc
    for (bool warned : {false, true})
        for (bool selected : {false, true}) {
            SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 900, 32, 0xFF0000, 0xFF00, 0xFF, 0);
            card.warned = warned;
            Book_cell_draw(screen, 200, 225, card, selected);
            EXPECT_EQ(Pixel(screen, 200 + book_thumbnail_x, 225 + book_thumbnail_y), 0x00FF00u);
            EXPECT_EQ(Pixel(screen, mark_x, mark_y), warned ? 0xDC1E1Eu : 0x00FF00u) << warned;
            EXPECT_EQ(Pixel(screen, 200 + book_thumbnail_x - 4, 225 + 100), selected ? 0xFFC800u : 0u) << selected;
            int title_pixels = 0;
            for (int x = 200; x < 400; ++x)
                for (int y = 225 + book_title_y; y < 225 + book_title_y + 8; ++y)
                    title_pixels += Pixel(screen, x, y) == 0xF0F0F0u;
            EXPECT_GT(title_pixels, 20);
            SDL_FreeSurface(screen);
        }
}

// The buttons drawn where the layout puts them, a light face in a dark
// edge, with their labels; none drawn when there are none; and the
// question's Yes and No.
TEST(Book_draw, ButtonsAreDrawnWhereTheLayoutPutsThem)
{
    Picture_card card;
    card.title = "A boat";
    card.thumbnail.reset(SDL_CreateRGBSurface(SDL_SWSURFACE, 160, 180, 32, 0xFF0000, 0xFF00, 0xFF, 0));
    SDL_FillRect(card.thumbnail.get(), nullptr, 0x00FF00);
    const Book_point cell{200, 225};
    for (const std::vector<std::string>& labels :
         {std::vector<std::string>{}, {"Save image"}, {"Start again", "Save image"}}) {
        SCOPED_TRACE(labels.size());
        SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 900, 32, 0xFF0000, 0xFF00, 0xFF, 0);
        Book_cell_draw(screen, cell.x, cell.y, card, false, labels);
        const int count = static_cast<int>(labels.size());
        for (int slot = 0; slot < count; ++slot) {
            const Book_rect r = Book_button_place(cell, slot, count);
            EXPECT_EQ(Pixel(screen, r.x, r.y), 0x141414u);
            EXPECT_EQ(Pixel(screen, r.x + r.width - 1, r.y + r.height - 1), 0x141414u);
            EXPECT_EQ(Pixel(screen, r.x + 3, r.y + 3), 0xFAF0C8u);
            int ink = 0;   // the letters' pixels: dark, not quite the edge's colour
            for (int y = r.y + 3; y < r.y + r.height - 3; ++y)
                for (int x = r.x + 3; x < r.x + r.width - 3; ++x)
                    ink += (Pixel(screen, x, y) & 0xFFFFFFu) < 0x404040u;
            EXPECT_GT(ink, 8 * static_cast<int>(labels[static_cast<std::size_t>(slot)].size())) << "no label";
        }
        // Outside the buttons the thumbnail is the thumbnail.
        int face = 0;
        for (int y = cell.y + book_thumbnail_y; y < cell.y + book_thumbnail_y + thumbnail_height; ++y)
            for (int x = cell.x + book_thumbnail_x; x < cell.x + book_thumbnail_x + thumbnail_width; ++x) {
                bool on_button = false;
                for (int slot = 0; slot < count; ++slot)
                    on_button = on_button || Book_rect_holds(Book_button_place(cell, slot, count), x, y);
                if (!on_button) {
                    EXPECT_EQ(Pixel(screen, x, y), 0x00FF00u) << x << "," << y;
                }
                face += Pixel(screen, x, y) == 0xFAF0C8u;
            }
        EXPECT_EQ(face > 0, count > 0);
        SDL_FreeSurface(screen);
    }
    SDL_Surface* screen = SDL_CreateRGBSurface(SDL_SWSURFACE, 800, 900, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    Book_question_draw(screen, "Start " + std::string(60, 'a') + " again?");
    for (Book_answer answer : {Book_answer::yes, Book_answer::no}) {
        const Book_rect r = Book_answer_place(answer);
        EXPECT_EQ(Pixel(screen, r.x + 3, r.y + 3), 0xFAF0C8u);
    }
    SDL_FreeSurface(screen);
}

TEST(Text_wrap, BreaksAtBlanksAndCutsWordsTooLongForALine)
{
    EXPECT_EQ(Text_wrap("cannot read the file", 10), "cannot\nread the\nfile");
    EXPECT_EQ(Text_wrap("/a/very/long/folder", 8), "/a/very/\nlong/fol\nder");
    EXPECT_EQ(Text_wrap("short", 10), "short");
    EXPECT_EQ(Text_wrap("...\nthe first line\nshort\n\nlast", 10), "...\nthe first\nline\nshort\n\nlast");
}

TEST(Painter_outcome, WhatTheBookSaysForEachEnd)
{
    const auto repeat = [](int count, const char* character) {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += character;
        return text;
    };
    const std::vector<std::pair<Painter_outcome, std::string>> cases{
        {{true, 0, ""}, ""},
        {{true, 0, "noise\n"}, ""},
        {{true, 2, "Tintora: cannot read the picture file \"a.txt\" in /p: No such file or directory\n"},
         "Tintora: cannot read the picture file \"a.txt\" in /p: No such file or directory"},
        {{true, 1, "OMG NO WINDOW\n"}, "OMG NO WINDOW"},
        {{true, 139, ""}, "Tintora: the painter ended with status 139"},
        {{false, -1, "Tintora: cannot start the painter /x: No such file or directory\n"},
         "Tintora: cannot start the painter /x: No such file or directory"},
        {{false, -1, ""}, "Tintora: cannot start the painter /bin/tintora"},
        // Windows line ends; a long message cut to what fits in the book's
        // window: its last eight lines, or its last 600 bytes from the start
        // of a character.
        {{true, 2, "one\r\ntwo\r\n"}, "one\ntwo"},
        {{true, 1, "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\nthe end\n"}, "...\n4\n5\n6\n7\n8\n9\n10\nthe end"},
        {{true, 1, "a\n" + std::string(700, 'b')}, "..." + std::string(600, 'b')},
        {{true, 1, repeat(700, "é") + "!"}, "..." + repeat(299, "é") + "!"},
    };
    for (const auto& [outcome, message] : cases)
        EXPECT_EQ(Painter_outcome_message(outcome, "/bin/tintora"), message) << outcome.status;
}

// The real painter, named after a picture its folder does not hold: its
// message shows that it was started under that name, in that folder.
TEST(Painter_run, ThePainterRunsUnderThePicturesNameInItsFolder)
{
    Scratch s;
    fs::create_directories(s.root / "pics");
    const std::string folder = fs::canonical(s.root / "pics").string();
    const std::vector<std::string> environment = Environment_capture();
    const Painter_outcome outcome = Painter_run(TINTORA_PAINTER, "unicorn", folder, environment);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(outcome.errors,
              "Tintora: cannot read the picture file \"unicorn.txt\" in " + folder + ": No such file or directory\n");

    const Painter_outcome missing = Painter_run((s.root / "no-painter").string(), "owl", folder, environment);
    EXPECT_FALSE(missing.started);
    EXPECT_EQ(missing.errors, "Tintora: cannot start the painter " + (s.root / "no-painter").string() +
                                  ": No such file or directory\n");
    const Painter_outcome nowhere = Painter_run(TINTORA_PAINTER, "owl", folder + "/gone", environment);
    EXPECT_FALSE(nowhere.started);
    EXPECT_EQ(nowhere.errors, "Tintora: cannot open the folder " + folder + "/gone: No such file or directory\n");

    // The painter gets the environment it is given, not the book's own: on
    // no video driver at all it cannot open its window.
    std::vector<std::string> without_driver;
    for (const std::string& entry : environment)
        if (entry.rfind("SDL_VIDEODRIVER=", 0) != 0 && entry.rfind("DISPLAY=", 0) != 0 &&
            entry.rfind("WAYLAND_DISPLAY=", 0) != 0)
            without_driver.push_back(entry);
    const Painter_outcome no_window = Painter_run(TINTORA_PAINTER, "unicorn", folder, without_driver);
    EXPECT_EQ(no_window.status, 1);
    EXPECT_EQ(no_window.errors, "OMG NO WINDOW\n");
}

// The names an image of a coloured picture is saved under: one a day, then
// numbered, and no character that a file name cannot hold on any platform.
TEST(Picture_export, FileNamesFromTitleAndDay)
{
    struct Case {
        const char* title;
        int copy;
        const char* name;
    };
    const Case cases[] = {
        {"A red barn and its silo", 1, "A red barn and its silo 2026-12-11.png"},
        {"A red barn and its silo", 2, "A red barn and its silo 2026-12-11 (2).png"},
        {"Cats/dogs: \"yes\" <no> a|b *?\\", 1, "Cats-dogs- -yes- -no- a-b --- 2026-12-11.png"},
        {"Trailing dots...  ", 1, "Trailing dots 2026-12-11.png"},
        {"", 1, "picture 2026-12-11.png"},
        {"///", 3, "--- 2026-12-11 (3).png"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Export_file_name(c.title, "2026-12-11", c.copy), c.name) << c.title;
}

// The book's side of keeping: the file of an own and of a bundled picture of
// one name differ; a TINTORA_KEEP the book was given is never passed on, in
// any case of its name; only the painter's lines about the colouring are
// shown after it ended well.
TEST(Colouring_kept, FilesEnvironmentAndTheNotesShown)
{
    EXPECT_EQ(Colouring_path("/c", {"owl", "/own", true}), "/c/owl.own.colouring");
    EXPECT_EQ(Colouring_path("/c", {"owl", "/bundled", false}), "/c/owl.bundled.colouring");
    EXPECT_EQ(Colouring_path("", {"owl", "/own", true}), "") << "no colourings folder: nothing kept";
    EXPECT_EQ(Colouring_path("/c", {"", "", false}), "") << "the New picture card";

    const std::vector<std::string> given{"HOME=/home/a", "TINTORA_KEEP=/elsewhere", "tintora_keep=/x", "TINTORA_KEEPS=1"};
    EXPECT_EQ(Environment_without_keep(given), (std::vector<std::string>{"HOME=/home/a", "TINTORA_KEEPS=1"}));
    EXPECT_EQ(Environment_keeping({"HOME=/home/a"}, "/c/owl.own.colouring"),
              (std::vector<std::string>{"HOME=/home/a", "TINTORA_KEEP=/c/owl.own.colouring"}));
    EXPECT_EQ(Environment_keeping({"HOME=/home/a"}, ""), (std::vector<std::string>{"HOME=/home/a"}));

    EXPECT_EQ(Painter_keep_notes("noise\r\nTintora: the colouring could not be kept in /c: No space left\r\n"
                                 "Tintora: keeping the colouring in /c failed (x); trying again after the next fill\n"
                                 "Tintora: the colouring kept in /c cannot be used (y); the picture opens uncoloured"),
              "Tintora: the colouring could not be kept in /c: No space left\n"
              "Tintora: the colouring kept in /c cannot be used (y); the picture opens uncoloured");
    EXPECT_EQ(Painter_keep_notes("WHAT?\n"), "");
}

}  // namespace
