// Reading picture files: the name derived from the program's path, the
// palette as the C library's formatted input reads it, the outline grid's
// cursor rules, text mode, and files that cannot be read.
#include <array>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include <gtest/gtest.h>
#include "board/geometry.h"
#include "board/square.h"
#include "picture_file/exename.h"
#include "picture_file/file_read.h"
#include "picture_file/text_stream.h"
#include "saved_as.h"

namespace {

using Board = std::array<Square, squarecount * squarecount>;
using Palette = std::array<Colour, colourcount>;

struct Picture {
    Board squares{};
    Palette colours{};
    std::string report;                       // what the reader wrote for unexpected characters
    std::set<std::pair<int, int>> outlines;   // interior outline squares (ring excluded)
};

// Reads `text` as a picture file through the text layer, on a freshly built
// board; with a trace, as tintora-check reads it.
Picture Picture_of(const std::string& text, Picture_trace* trace = nullptr)
{
    Picture p;
    Squares_create(squarecount, p.squares, squaresize, menustrip, defaultcolour, bordercolour);
    p.colours.fill(Colour{-7, -7, -7});
    int read_error = 0;
    std::FILE* in = Text_open_bytes(text, &read_error);
    char* report = nullptr;
    std::size_t report_size = 0;
    std::FILE* out = open_memstream(&report, &report_size);
    Picture_read(in, squarecount, p.squares, colourcount, p.colours, bordercolour, out, trace);
    std::fclose(out);
    std::fclose(in);
    p.report.assign(report, report_size);
    std::free(report);
    for (int i = 1; i < squarecount - 1; ++i)
        for (int j = 1; j < squarecount - 1; ++j)
            if (Colour_cmp(p.squares[i * squarecount + j].c, bordercolour))
                p.outlines.insert({i, j});
            else
                EXPECT_EQ(Colour_cmp(p.squares[i * squarecount + j].c, defaultcolour), 1);
    return p;
}

const std::string palette8 = "1,1,1\n2,2,2\n3,3,3\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8\n";

// A picture whose grid is `grid`, after a regular palette and separator.
std::string Grid_file(const std::string& grid)
{
    return palette8 + "the separator line: xxxx\n" + grid;
}

TEST(Exename, TakesTheStemOfTheFileName)
{
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"C:\\pics\\cat.exe", "cat.txt"},
        {"C:\\pics\\my.cat.exe", "my.txt"},
        {"C:\\my.pics\\cat.exe", "cat.txt"},
        {"/opt/pics/my.cat", "my.txt"},
        {"/opt/my.pics/cat", "cat.txt"},
        {"./cat", "cat.txt"},
        {"cat", "cat.txt"},
        {"../build/pictures/house", "house.txt"},
        {"dir\\sub/owl.bin", "owl.txt"},
        {"", ".txt"},
        {"/opt/pics/", ".txt"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(exename(c.path), c.name) << c.path;
        EXPECT_EQ(freethis, c.name) << c.path;
    }
}

// The palette's table is in palette_test.cpp, which the Windows build runs too.

TEST(Grid, FollowsTheCursorRules)
{
    const std::string cells39(39, 'x');
    struct Case {
        const char* name;
        std::string text;
        std::set<std::pair<int, int>> outlines;
        int whats;
    };
    const std::vector<Case> cases = {
        {"x marks, spaces move", Grid_file(" x\nx\n"), {{2, 1}, {1, 2}}, 0},
        {"digits do not move the cursor", Grid_file("3 x x\n"), {{2, 1}, {4, 1}}, 0},
        {"an unexpected character reports and does not move", Grid_file(" xX\n\tx\n"), {{2, 1}, {1, 2}}, 2},
        {"upper-case X is unexpected", Grid_file("X\n"), {}, 1},
        {"the ninth line never reaches the board", palette8 + "xxxxxxxx\nx\n", {{1, 1}}, 0},
        {"a trailing blank on the eighth entry makes the ninth line row 1",
         "1,1,1\n2,2,2\n3,3,3\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8 \n x\nx\n", {{2, 1}, {1, 2}}, 0},
        {"the character on column 40 ends the row silently", Grid_file(cells39 + "5\nx\n"),
         [] {
             std::set<std::pair<int, int>> s;
             for (int i = 1; i <= 38; ++i)
                 s.insert({i, 1});
             s.insert({1, 3});
             return s;
         }(),
         0},
        {"an unexpected character on column 40 is swallowed", Grid_file(std::string(39, ' ') + "Q\n"), {}, 0},
        {"row 39 is the last; the 40th line is dropped", Grid_file(std::string(38, '\n') + "x\nx\n"), {}, 0},
        {"row 38 is the last interior row", Grid_file(std::string(37, '\n') + "x\n"), {{1, 38}}, 0},
        {"nothing after the last row is read", Grid_file(std::string(39, '\n') + "QQQ\n"), {}, 0},
        {"a short line keeps the rest of its row", Grid_file("x\n x\n"), {{1, 1}, {2, 2}}, 0},
        {"a NUL byte is unexpected", Grid_file(std::string("x\0x\n", 4)), {{1, 1}, {2, 1}}, 1},
        {"a lone CR is unexpected", Grid_file("x\rx\n"), {{1, 1}, {2, 1}}, 1},
        {"end of file in the separator", palette8 + "no line break", {}, 0},
    };
    for (const Case& c : cases) {
        const Picture p = Picture_of(c.text);
        EXPECT_EQ(p.outlines, c.outlines) << c.name;
        std::string whats;
        for (int k = 0; k < c.whats; ++k)
            whats += "WHAT?\n";
        EXPECT_EQ(p.report, whats) << c.name;
    }
}

TEST(Trace, LeavesWhatIsReadUnchanged)
{
    const std::string files[] = {
        "",
        palette8,
        "1 ,2,3\n4,5\n,6\n7,8,9 x\n",
        Grid_file("x x\tX 12\n" + std::string(41, 'x') + "\n\rx\n"),
        Grid_file(std::string(45, '\n') + "xx"),
    };
    for (const std::string& text : files) {
        Picture_trace trace;
        const Picture traced = Picture_of(text, &trace);
        const Picture plain = Picture_of(text);
        EXPECT_EQ(traced.report, plain.report) << text;
        for (std::size_t k = 0; k < plain.squares.size(); ++k)
            ASSERT_EQ(Colour_cmp(traced.squares[k].c, plain.squares[k].c), 1) << text << " square " << k;
        for (std::size_t k = 0; k < plain.colours.size(); ++k)
            EXPECT_EQ(Colour_cmp(traced.colours[k], plain.colours[k]), 1) << text << " colour " << k;
    }
}

TEST(Trace, GivesPositionsInTheTranslatedTextAndWhatEachCharacterDid)
{
    // "1 ,2,3": the blank stops entry 1 after one number and is dropped; the
    // CR LF after entry 2 is one character.
    const std::string text = "1 ,2,3\r\n4,5,6\r\n7,7,7\n8,8,8\n9,9,9\n10,10,10\ntitle \nx\tX\n";
    Picture_trace trace;
    Picture_of(text, &trace);
    ASSERT_EQ(trace.palette.size(), 8u);
    const Palette_trace& first = trace.palette[0];
    EXPECT_EQ(first.start, 0);
    EXPECT_EQ(first.fields, 1);
    EXPECT_EQ(first.stop, 1);
    EXPECT_EQ(first.dropped, ' ');
    const Palette_trace& second = trace.palette[1];   // reads ",2,3": no number at all
    EXPECT_EQ(second.start, 2);
    EXPECT_EQ(second.fields, 0);
    EXPECT_EQ(second.dropped, ',');
    const Palette_trace& third = trace.palette[2];    // "2,3" then the line end
    EXPECT_EQ(third.fields, 2);
    EXPECT_EQ(third.stop, 6);
    EXPECT_EQ(third.dropped, '\n');
    EXPECT_EQ(trace.palette[3].start, 7);               // after "1 ,2,3\n" with the CR LF as one
    EXPECT_EQ(trace.palette[7].dropped, '\n');          // "10,10,10"
    // The title line is "title ", and the grid is "x\tX\n".
    EXPECT_EQ(trace.separator, "title ");
    ASSERT_EQ(trace.grid.size(), 4u);
    EXPECT_EQ(trace.grid_start, static_cast<long>(text.size()) - 2 - 4);   // less the two CRs, at "x\tX\n"
    const Grid_effect effects[] = {Grid_effect::outline, Grid_effect::what, Grid_effect::what, Grid_effect::line_end};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(trace.grid[k].effect, effects[k]) << k;
        EXPECT_EQ(trace.grid[k].j, 1) << k;
    }
    EXPECT_EQ(trace.grid[0].i, 1);
    EXPECT_EQ(trace.grid[1].i, 2);
    EXPECT_EQ(trace.grid[1].c, '\t');
}

TEST(TextMode, ReadsAFileSavedWithCrLfAndCtrlZAsItsLfVersion)
{
    const std::string lf = "10, 20, 30\n" + std::string("1,2,3\n") + "4,5,6\n7,8,9\n1,1,1\n2,2,2\n3,3,3\n4,4,4\n"
                           "title\n x x\nxQx\n" + std::string(39, 'x') + "7\n x\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Picture want = Picture_of(lf);
    for (const std::string& text : {crlf, crlf + "\x1A" + "x\r\nQQ\r\n", lf + "\x1A\n\nxxxx"}) {
        const Picture got = Picture_of(text);
        EXPECT_EQ(got.outlines, want.outlines);
        EXPECT_EQ(got.report, want.report);
        for (int k = 0; k < colourcount; ++k)
            EXPECT_EQ(Colour_cmp(got.colours[k], want.colours[k]), 1) << "entry " << k;
    }
    // Ctrl-Z ends the input wherever it stands, even inside the palette.
    const Picture cut = Picture_of("1,2\x1A,3\n");
    EXPECT_EQ(Colour_cmp(cut.colours[0], Colour{1, 2, 0}), 1);
    // A CR before a CR LF stays a character of its own.
    EXPECT_EQ(Picture_of(Grid_file("x\r\r\nx\r\n")).report, "WHAT?\n");
}

// The board, palette and reports of two readings are the same.
void Same_picture_expect(const Picture& got, const Picture& want)
{
    EXPECT_EQ(got.outlines, want.outlines);
    EXPECT_EQ(got.report, want.report);
    for (int k = 0; k < colourcount; ++k)
        EXPECT_EQ(Colour_cmp(got.colours[k], want.colours[k]), 1) << "entry " << k;
}

TEST(Encoding, MarkedAndUtf16FilesReadAsTheirUtf8Text)
{
    // Characters outside ASCII in the title and the grid, one of them
    // outside the 16-bit range (a UTF-16 pair): each gives the reader its
    // UTF-8 bytes, so the same "WHAT?" lines. U+011A is 1A 01 in UTF-16 LE:
    // its 0x1A is no Ctrl-Z.
    const std::string text =
        Grid_file(" x\xC3\xA9x\n\xE7\x8C\xAB x\xC4\x9A\n x\xF0\x9F\xA6\x89 x\n");
    const Picture want = Picture_of(text);
    ASSERT_EQ(want.report.size(), 11 * 6u);
    for (const Saved_as as : {Saved_as::utf8_marked, Saved_as::utf16le, Saved_as::utf16be})
        for (const std::string& saved : {Saved_text(text, as), Saved_text(Crlf_of(text), as)}) {
            SCOPED_TRACE(saved.substr(0, 4));
            Same_picture_expect(Picture_of(saved), want);
        }
    // A mark anywhere but at the very start stays three bytes of the text.
    EXPECT_EQ(Picture_of(Grid_file("x\xEF\xBB\xBFx\n")).report, "WHAT?\nWHAT?\nWHAT?\n");
    EXPECT_EQ(Picture_of(Saved_text(Grid_file("x\xEF\xBB\xBFx\n"), Saved_as::utf16le)).report,
              "WHAT?\nWHAT?\nWHAT?\n");
}

TEST(Encoding, BrokenUtf16EndsWhereItBreaks)
{
    const std::string head = Grid_file(" x\nx");
    const std::string le = Saved_text(head, Saved_as::utf16le);
    const std::string tail = Saved_text(" x\nxxx\n", Saved_as::utf16le).substr(2);
    struct Case {
        const char* what;
        std::string stored;
    };
    const Case cases[] = {
        {"an odd byte at the end", le + "x"},
        {"a first half at the end", le + std::string("\x3D\xD8", 2)},
        {"a first half before a character", le + std::string("\x3D\xD8", 2) + tail},
        {"a second half alone", le + std::string("\x89\xDD", 2) + tail},
        {"big-endian, a second half alone", Saved_text(head, Saved_as::utf16be) + std::string("\xDD\x89", 2)},
    };
    const Picture want = Picture_of(head);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Same_picture_expect(Picture_of(c.stored), want);
        const Picture_text text = Picture_text_make(c.stored);
        EXPECT_EQ(text.text, head);
        EXPECT_FALSE(text.broken.what.empty());
        EXPECT_EQ(text.broken.stored, le.size());
    }
}

// The limit counts the file as it is stored: a UTF-16 file of digits that
// never ends its grid is refused once it passes 1 MiB on disk, not in text.
TEST(Encoding, TheLimitCountsTheFileAsStored)
{
    const std::string head = Saved_text(palette8 + "title\n", Saved_as::utf16le);
    struct Case {
        const char* what;
        std::size_t digits;
        int error;
    };
    for (const Case& c : {Case{"under the limit as stored", (text_limit - head.size()) / 2, 0},
                          Case{"over it as stored, under it as text", (text_limit - head.size()) / 2 + 1, EFBIG}}) {
        SCOPED_TRACE(c.what);
        std::string stored = head;
        for (std::size_t k = 0; k < c.digits; ++k)
            stored += std::string("7\0", 2);
        int read_error = -1;
        std::FILE* in = Text_open_bytes(stored, &read_error);
        ASSERT_NE(in, nullptr);
        Board squares{};
        Palette colours{};
        Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
        Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, stdout);
        Text_stream_close(in, &read_error);
        EXPECT_EQ(read_error, c.error);
    }
}

class PictureFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("tintora-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        previous = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    }
    void TearDown() override
    {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    bool Read(const char* path)
    {
        ::testing::internal::CaptureStderr();
        const bool read = File_read(squarecount, squares, colourcount, colours, bordercolour, path);
        message = ::testing::internal::GetCapturedStderr();
        return read;
    }
    std::filesystem::path folder, previous;
    Board squares{};
    Palette colours{};
    std::string message;
};

TEST_F(PictureFile, IsFoundInTheWorkingDirectoryByTheProgramsName)
{
    std::ofstream(folder / "owl.txt") << palette8 << "sep\n x\n";
    EXPECT_TRUE(Read("/somewhere/else/owl.exe"));
    EXPECT_EQ(message, "");
    EXPECT_EQ(Colour_cmp(colours[7], Colour{8, 8, 8}), 1);
    EXPECT_EQ(Colour_cmp(squares[2 * squarecount + 1].c, bordercolour), 1);
}

TEST_F(PictureFile, ThatCannotBeReadIsReportedWithItsNameAndFolder)
{
    std::filesystem::create_directory(folder / "dir.txt");
    ASSERT_EQ(mkfifo((folder / "pipe.txt").c_str(), 0600), 0);   // no writer: opening must not wait
    std::filesystem::create_symlink("/dev/zero", folder / "zero.txt");
    std::filesystem::create_symlink(folder / "nowhere", folder / "dangling.txt");
    struct Case {
        const char* path;
        const char* reason;
    };
    const Case cases[] = {
        {"missing", "No such file or directory"},
        {"dir", "it is a directory"},
        {"pipe", "it is a pipe"},
        {"zero", "it is a device"},
        {"dangling", "No such file or directory"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Read(c.path)) << c.path;
        const std::string expected_start =
            std::string("Tintora: cannot read the picture file \"") + c.path + ".txt\" in " + folder.string() + ": ";
        EXPECT_EQ(message.rfind(expected_start, 0), 0u) << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
        EXPECT_EQ(message.back(), '\n');
    }
}

}  // namespace
