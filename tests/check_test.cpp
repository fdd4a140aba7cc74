// The checker's analysis on a table of small picture files: each file's
// text beside the exact diagnostics, summary and exit status it must give.
// The files are written to a private folder and checked by name, through
// the same text mode and reader as the painter.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "check/picture_check.h"
#include "check/text_position.h"
#include "saved_as.h"

namespace {

using namespace std::string_literals;

const std::string palette8 = "1,1,1\n2,2,2\n3,3,3\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8\n";
const std::string empty_board = "t.txt: 0 rows used, 0 outline squares, 1 region; the smallest has 1444 squares, at column 1, row 1";

struct Check_case {
    const char* what;
    std::string text;
    std::vector<std::string> output;   // diagnostics, then the summary line
    int status;
};

std::string Row(int squares, char c = 'x')
{
    return std::string(static_cast<std::size_t>(squares), c);
}

const Check_case cases[] = {
    {"a clean picture gives its summary only",
     palette8 + "A box\n\n xxx\n x x\n xxx\n",
     {"t.txt:12:3: note: a region of 1 square at column 3, row 3: hard to hit with a click",
      "t.txt: 4 rows used, 8 outline squares, 2 regions; the smallest has 1 square, at column 3, row 3"},
     0},
    {"a blank before a comma shifts every later entry",
     "1,1,1\n2,2,2\n30 ,40,50\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8\ntitle\n",
     {"t.txt:3:3: warning: a blank before a comma ends palette entry 3 after its first number: it holds 30,0,0 "
      "(green and blue are 0); the blank is dropped and entry 4 is read on from just after it",
      "t.txt:3:4: note: palette entry 4 is read from here (\",\"), not from line 4: it holds 0,0,0",
      "t.txt:3:4: note: palette entry 4 starts with ',', not a number: it holds 0,0,0 (red, green and blue are 0); "
      "the ',' is dropped and entry 5 is read on from just after it",
      "t.txt:3:5: note: palette entry 5 is read from here (\"40,50\"), not from line 5: it holds 40,50,0",
      "t.txt:3:10: note: palette entry 5 has 2 of its 3 numbers on its line: it holds 40,50,0 (blue is 0)",
      "t.txt:4:1: note: palette entry 6 is read from here (\"4,4,4\"), not from line 6: it holds 4,4,4",
      "t.txt:5:1: note: palette entry 7 is read from here (\"5,5,5\"), not from line 7: it holds 5,5,5",
      "t.txt:6:1: note: palette entry 8 is read from here (\"6,6,6\"), not from line 8: it holds 6,6,6",
      "t.txt:7:1: warning: line 7 (\"7,7,7\") looks like a palette entry, but all eight have been read by then: "
      "it is taken as the title line, and line 8 (\"8,8,8\") becomes the first row of the picture",
      "t.txt:8:2: warning: ',' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:8:4: warning: ',' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:9:1: warning: 't' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:9:2: warning: 'i' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:9:3: warning: 't' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:9:4: warning: 'l' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:9:5: warning: 'e' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt: 0 rows used, 0 outline squares, 1 region; the smallest has 1444 squares, at column 1, row 1"},
     1},
    {"values outside 0 to 255 and the colour they show as; blanks after a comma are fine",
     "1,1,1\n2,2,2\n300, -1, 70000\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8\ntitle\n",
     {"t.txt:3:1: warning: palette entry 3: red reads as 300, outside 0 to 255; it shows as 44 (the swatch shows 44,255,112)",
      "t.txt:3:1: warning: palette entry 3: green reads as -1, outside 0 to 255; it shows as 255 (the swatch shows 44,255,112)",
      "t.txt:3:1: warning: palette entry 3: blue reads as 4464, outside 0 to 255; it shows as 112 (the swatch shows 44,255,112)",
      empty_board},
     1},
    {"missing fields and entries are 0, and black twice is one colour chosen twice; the end of the file is on its last line",
     "1,1,1\n2,2\n",
     {"t.txt:2:4: warning: palette entry 2 has 2 of its 3 numbers on its line: it holds 2,2,0 (blue is 0)",
      "t.txt:2:4: warning: the file ends before palette entry 3: entries 3 to 8 are 0,0,0 (black)",
      "t.txt:2:4: warning: palette entry 4 (0,0,0) is the same colour as entry 3: their swatches are chosen together and look chosen together",
      "t.txt:2:4: warning: palette entry 5 (0,0,0) is the same colour as entry 3: their swatches are chosen together and look chosen together",
      "t.txt:2:4: warning: palette entry 6 (0,0,0) is the same colour as entry 3: their swatches are chosen together and look chosen together",
      "t.txt:2:4: warning: palette entry 7 (0,0,0) is the same colour as entry 3: their swatches are chosen together and look chosen together",
      "t.txt:2:4: warning: palette entry 8 (0,0,0) is the same colour as entry 3: their swatches are chosen together and look chosen together",
      empty_board},
     1},
    {"a swatch in the outline colour, one in the starting grey, two alike",
     "20,20,20\n200,200,200\n3,3,3\n4,4,4\n3,3,3\n6,6,6\n7,7,7\n8,8,8\ntitle\n",
     {"t.txt:1:1: warning: palette entry 1 (20,20,20) is the outline colour: painting with it turns a part into outline",
      "t.txt:2:1: warning: palette entry 2 (200,200,200) is the colour every square starts with: painting an uncoloured part with it changes nothing",
      "t.txt:5:1: warning: palette entry 5 (3,3,3) is the same colour as entry 3: their swatches are chosen together and look chosen together",
      empty_board},
     1},
    {"a blank after the eighth entry makes the title line the first row",
     "1,1,1\n2,2,2\n3,3,3\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8 \nAxe\n x\n",
     {"t.txt:8:6: warning: line 8 goes on after the eighth palette entry (\" \"): that rest is taken as the title "
      "line, so line 9 (\"Axe\") becomes the first row of the picture",
      "t.txt:9:1: warning: 'A' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:9:3: warning: 'e' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt: 2 rows used, 2 outline squares, 1 region; the smallest has 1442 squares, at column 2, row 1"},
     1},
    {"a ninth palette line is taken as the title, and the title becomes the first row",
     palette8 + "9,9,9\nOwl\n",
     {"t.txt:9:1: warning: line 9 (\"9,9,9\") looks like a palette entry, but all eight have been read by then: "
      "it is taken as the title line, and line 10 (\"Owl\") becomes the first row of the picture",
      "t.txt:10:1: warning: 'O' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:2: warning: 'w' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:3: warning: 'l' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      empty_board},
     1},
    {"a title line that looks like a row of the picture",
     palette8 + "  xx  \n  xx\n",
     {"t.txt:9:1: warning: the title line looks like a row of the picture, but the line after the palette is never "
      "shown: put a title line before the picture",
      "t.txt: 1 row used, 2 outline squares, 1 region; the smallest has 1442 squares, at column 1, row 1"},
     1},
    {"an empty line after the palette makes the title the first row",
     palette8 + "\nOwl\n",
     {"t.txt:9:1: warning: the line after the palette is empty, so it is taken as the title line, and line 10 "
      "(\"Owl\") becomes the first row of the picture",
      "t.txt:10:1: warning: 'O' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:2: warning: 'w' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:3: warning: 'l' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      empty_board},
     1},
    {"each character the program answers with WHAT?, named; digits are ignored",
     palette8 + "title\n1 x\tX\n\x00\r9\n"s,
     {"t.txt:10:4: warning: tab is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:5: warning: 'X' (only a lower-case 'x' draws outline) is not part of a picture: the program answers "
      "it with \"WHAT?\" and it takes no square",
      "t.txt:11:1: warning: byte 0x00 is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:11:2: warning: carriage return (a CR without LF is no line end) is not part of a picture: the program "
      "answers it with \"WHAT?\" and it takes no square",
      "t.txt: 1 row used, 1 outline square, 1 region; the smallest has 1443 squares, at column 1, row 1"},
     1},
    {"a line of 39 reaches the right edge; one of 41 spills and moves later lines down",
     palette8 + "title\n" + Row(39) + "\n" + Row(41) + "\nx\n",
     {"t.txt:10:39: warning: the 39th square of this line falls on the board's right edge, which is always "
      "outline (a row has 38 squares)",
      "t.txt:11:39: warning: the 39th square of this line falls on the board's right edge, which is always "
      "outline (a row has 38 squares)",
      "t.txt:11:40: warning: this line goes on past the board's right edge: the 'x' here is taken as the end of "
      "row 2, and the rest of the line (\"x\") becomes row 3",
      "t.txt:12:1: note: from line 12 on, every line is drawn 1 row lower than it stands (this line is row 4)",
      "t.txt: 4 rows used, 78 outline squares, 1 region; the smallest has 1366 squares, at column 2, row 3"},
     1},
    {"row 39 is the bottom edge, and lines after it are never read",
     palette8 + "title\n" + std::string(38, '\n') + "x\nx\n",
     {"t.txt:48:1: warning: this line falls on row 39, the board's bottom edge, which is always outline: its "
      "squares are not shown (a picture has 38 rows)",
      "t.txt:49:1: warning: the board has no row left (row 39 is its bottom edge): from here on the file is never "
      "read (line 49 is ignored)",
      "t.txt: 39 rows used, 0 outline squares, 1 region; the smallest has 1444 squares, at column 1, row 1"},
     1},
    {"CR LF is one line end, and a Ctrl-Z ends the text as on Windows",
     "1,1,1\r\n2,2,2\r\n3,3,3\r\n4,4,4\r\n5,5,5\r\n6,6,6\r\n7,7,7\r\n8,8,8\r\ntitle\r\n x?\r\n\x1Axxx\r\n",
     {"t.txt:10:3: warning: '?' is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:11:1: warning: a Ctrl-Z character ends the text here, as on Windows: the 3 non-blank bytes after it "
      "are never read",
      "t.txt: 1 row used, 1 outline square, 1 region; the smallest has 1443 squares, at column 1, row 1"},
     1},
    {"a UTF-8 mark is skipped: a note, then the file as it reads without it",
     "\xEF\xBB\xBF" + palette8 + "title\n xX\n",
     {"t.txt:1:1: note: saved as UTF-8 with a byte-order mark: the mark is skipped, and the file reads as it would "
      "without it",
      "t.txt:10:3: warning: 'X' (only a lower-case 'x' draws outline) is not part of a picture: the program answers "
      "it with \"WHAT?\" and it takes no square",
      "t.txt: 1 row used, 1 outline square, 1 region; the smallest has 1443 squares, at column 1, row 1"},
     1},
    {"UTF-16 with CR LF reads as its UTF-8 text, in the columns an editor shows",
     Saved_text(Crlf_of(palette8 + "Chat \xC3\xA9\n x\xC3\xA9X\n"), Saved_as::utf16le),
     {"t.txt:1:1: note: saved as UTF-16 (Notepad's Unicode): it reads as the same text saved as UTF-8; lines and "
      "columns are as an editor shows them",
      "t.txt:10:3: warning: byte 0xC3 is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:3: warning: byte 0xA9 is not part of a picture: the program answers it with \"WHAT?\" and it takes no square",
      "t.txt:10:4: warning: 'X' (only a lower-case 'x' draws outline) is not part of a picture: the program answers "
      "it with \"WHAT?\" and it takes no square",
      "t.txt: 1 row used, 1 outline square, 1 region; the smallest has 1443 squares, at column 1, row 1"},
     1},
    {"big-endian UTF-16 with an odd byte at its end: the text ends before it, and that is told",
     Saved_text(palette8 + "t\n x\n", Saved_as::utf16be) + "\x0A",
     {"t.txt:1:1: note: saved as UTF-16 big-endian (Notepad's Unicode big endian): it reads as the same text saved as "
      "UTF-8; lines and columns are as an editor shows them",
      "t.txt:11:1: warning: the text breaks off here, at byte 108 of the file, with a single byte at the end, half a "
      "UTF-16 character: nothing after it is read",
      "t.txt: 1 row used, 1 outline square, 1 region; the smallest has 1443 squares, at column 1, row 1"},
     1},
    {"UTF-16 with half a pair: the text ends there, and that is told",
     Saved_text(palette8 + "t\n x", Saved_as::utf16le) + std::string("\x00\xD8", 2) + Saved_text("x\n", Saved_as::utf16le).substr(2),
     {"t.txt:1:1: note: saved as UTF-16 (Notepad's Unicode): it reads as the same text saved as UTF-8; lines and "
      "columns are as an editor shows them",
      "t.txt:10:3: warning: the text breaks off here, at byte 106 of the file, with a first half of a UTF-16 pair "
      "(0xD800) without its second: nothing after it is read",
      "t.txt: 1 row used, 1 outline square, 1 region; the smallest has 1443 squares, at column 1, row 1"},
     1},
    {"a region of one square is hard to hit: a note, not a warning",
     palette8 + "title\n xxx\n x x\n xxx\n  \n",
     {"t.txt:11:3: note: a region of 1 square at column 3, row 2: hard to hit with a click",
      "t.txt: 4 rows used, 8 outline squares, 2 regions; the smallest has 1 square, at column 3, row 2"},
     0},
};

class Check_table : public ::testing::TestWithParam<Check_case> {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("tintora-check-test-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
};

// Writes `text` as `name` (UTF-8), checks it by that name and compares all
// it says (every message names the file "t.txt").
void Check_text_expect(const std::filesystem::path& folder, const std::string& text, const Check_case& c,
                       const std::string& name = "t.txt")
{
    const std::filesystem::path file = folder / std::filesystem::path(std::u8string(name.begin(), name.end()));
    std::ofstream(file, std::ios::binary) << text;
    const std::u8string path = file.u8string();
    const Picture_check check = Picture_check_file(std::string(path.begin(), path.end()));
    ASSERT_EQ(check.why, "") << name;
    std::vector<std::string> output;
    for (const Diagnostic& d : check.diagnostics)
        output.push_back(Diagnostic_format("t.txt", d));
    output.push_back(Picture_summary("t.txt", check));
    EXPECT_EQ(output, c.output);
    EXPECT_EQ(Picture_status(check), c.status);
}

// The same under names in other scripts, which on Windows reach the file
// system only through its UTF-16 names.
TEST_P(Check_table, GivesExactlyItsDiagnosticsAndStatus)
{
    for (const char* name : {"t.txt", "кошка.txt", "γάτα.txt", "小猫.txt", "Café Noël.txt"}) {
        SCOPED_TRACE(name);
        Check_text_expect(folder, GetParam().text, GetParam(), name);
    }
}

// Saved with CR LF line ends, as Notepad saves it, a file gives the same
// lines and columns: an editor shows a CR LF as one line end. On Windows
// this is where the C runtime's ftell (which counts the CR) could show.
TEST_P(Check_table, GivesTheSameWithCrLfLineEnds)
{
    const Check_case& c = GetParam();
    if (c.text.find_first_of("\r\x1A") != std::string::npos)
        GTEST_SKIP() << "its own CR or Ctrl-Z is what it tests";
    if (c.text.starts_with("\xFF\xFE") || c.text.starts_with("\xFE\xFF"))
        GTEST_SKIP() << "UTF-16: its line ends are not single bytes";
    std::string crlf;
    for (const char ch : c.text)
        crlf += ch == '\n' ? "\r\n"s : std::string(1, ch);
    Check_text_expect(folder, crlf, c);
}

INSTANTIATE_TEST_SUITE_P(Pictures, Check_table, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Check_case>& info) {
                             return "case" + std::to_string(info.index);
                         });

TEST(Check_file, UnreadableFilesGiveThePaintersReasonAndStatus2)
{
    const Picture_check missing = Picture_check_file("/nonexistent-folder/owl.txt");
    EXPECT_EQ(missing.why, "No such file or directory");
    EXPECT_EQ(Picture_status(missing), 2);
    const Picture_check folder = Picture_check_file(std::filesystem::temp_directory_path().string());
    EXPECT_EQ(folder.why, "it is a directory, not a picture file");
    EXPECT_EQ(Picture_status(folder), 2);
}

TEST(Text_place, CountsLinesAndColumnsAsAnEditorShowsThem)
{
    const Text_lines lines = Text_lines_create("ab\n\tc\xC3\xA9x\n");
    struct Place {
        long offset;
        int line, column;
    };
    for (const Place& p : {Place{0, 1, 1}, {2, 1, 3}, {3, 2, 1}, {4, 2, 2}, {7, 2, 4}, {8, 2, 5}, {9, 3, 1}, {99, 3, 1}}) {
        const Text_place at = Text_place_of(lines, p.offset);
        EXPECT_EQ(at.line, p.line) << "offset " << p.offset;
        EXPECT_EQ(at.column, p.column) << "offset " << p.offset;
    }
}

}  // namespace
