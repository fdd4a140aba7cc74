// The Windows program under Wine, where Windows differs from Linux: the
// picture's name taken from a Windows command line in any script, devices
// and folders refused by name, SDL's stdout.txt beside the .exe, and the
// 1 MiB limit on a file read in the C runtime's own text mode.
// Run with TINTORA_E2E_PROGRAM naming tintora.exe and TINTORA_E2E_LAUNCHER
// naming Wine (scripts/test-windows does).
#include <filesystem>
#include "e2e_fixture.h"

namespace {

constexpr std::array<Tint, 8> palette{{{230, 57, 70},
                                       {255, 183, 3},
                                       {33, 158, 188},
                                       {106, 176, 76},
                                       {244, 162, 97},
                                       {142, 90, 60},
                                       {255, 255, 255},
                                       {0, 0, 0}}};
const std::vector<std::string> grid{"x x x", "", "  xxxx", " x"};

// The program as a Windows command line names it; {folder} is the working
// directory as the program sees it (Z:\tmp\...). Wine hands a program it
// starts its full path; typed at Windows' command prompt, the command line
// is what was typed.
struct Name_case {
    const char* label;
    std::string name;      // the program is <name>.exe
    std::string picture;   // the file it must read
    std::string command;
    bool typed = false;    // through the command prompt (cmd /c)
};

void PrintTo(const Name_case& c, std::ostream* out)
{
    *out << c.label;
}

std::vector<Name_case> Name_cases()
{
    return {
        {"drive_and_backslashes", "cat", "cat.txt", "{folder}\\cat.exe"},
        {"typed_drive_and_backslashes", "cat", "cat.txt", "{folder}\\cat.exe", true},
        {"typed_relative", "cat", "cat.txt", ".\\cat.exe", true},
        {"typed_bare_name", "cat", "cat.txt", "cat", true},
        {"typed_upper_case_extension", "Cat", "Cat.txt", "Cat.EXE", true},
        {"dots_in_name", "my.cat", "my.txt", ".\\my.cat.exe"},
        {"typed_dots_in_name", "my.cat", "my.txt", "my.cat.exe", true},
        // Wine quotes a path with a blank in it: "Z:\...\two cats.exe".
        {"blank_in_name", "two cats", "two cats.txt", "{folder}\\two cats.exe"},
        {"typed_cyrillic", "кошка", "кошка.txt", "кошка", true},
        {"typed_chinese", "小猫", "小猫.txt", "小猫.exe", true},
        {"cyrillic", "кошка", "кошка.txt", "{folder}\\кошка.exe"},
        {"greek", "γάτα", "γάτα.txt", ".\\γάτα.exe"},
        {"chinese", "小猫", "小猫.txt", "{folder}\\小猫.exe"},
        {"accents", "Café_Noël", "Café_Noël.txt", ".\\Café_Noël.exe"},
        {"com10_is_no_device", "COM10", "COM10.txt", ".\\COM10.exe"},
    };
}

class Windows_name : public E2e_test, public ::testing::WithParamInterface<Name_case> {};

// The name comes from the command line as Windows hands it over (UTF-16),
// not through the ANSI code page, and the file is opened by its UTF-16
// name, so every one of these opens its picture on an English Windows.
TEST_P(Windows_name, OpensThePictureNamedAfterTheProgram)
{
    const Name_case& c = GetParam();
    Program_setup setup;
    ASSERT_TRUE(Program_windows(setup)) << "not a Windows program: " << setup.executable;
    setup.name = c.name;
    setup.picture_file = c.picture;
    setup.picture = Picture_text(palette, grid);
    setup.command = c.command;
    if (c.typed)
        setup.through = {"cmd", "/c"};
    setup.environment = {{"SDL_STDIO_REDIRECT", "0"}};
    Screen_model model = Screen_model_create(palette);
    Screen_model_outline(model, grid);
    ASSERT_TRUE(Start(setup));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 30));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stderr(run), "");
}

INSTANTIATE_TEST_SUITE_P(Names, Windows_name, ::testing::ValuesIn(Name_cases()),
                         [](const auto& info) { return std::string(info.param.label); });

// What Windows opens as a device whatever the folder and the extension, a
// folder, and a missing file: refused with one line and status 2, before
// anything is read (opening CON would wait for a console, COM1 for a line).
struct Refused_case {
    const char* label;
    std::string name;
    bool folder;       // a folder in the picture's place, else an ordinary file
    const char* reason;
};

void PrintTo(const Refused_case& c, std::ostream* out)
{
    *out << c.label;
}

const char* const device = "it is a device, not a picture file";

std::vector<Refused_case> Refused_cases()
{
    return {
        {"folder", "album", true, "it is a directory, not a picture file"},
        {"missing", "nothere", false, "No such file or directory"},
        {"con", "CON", false, device},
        {"nul", "NUL", false, device},
        {"lower_case_nul", "nul", false, device},
        {"aux", "AUX", false, device},
        {"prn", "Prn", false, device},
        {"com1", "COM1", false, device},
        {"lpt9", "lpt9", false, device},
        {"com_superscript_one", "COM\u00B9", false, device},
        {"con_with_blank", "CON ", false, device},
        {"conout", "CONOUT$", false, device},
    };
}

class Windows_refused : public E2e_test, public ::testing::WithParamInterface<Refused_case> {};

TEST_P(Windows_refused, EndsWithOneLineNamingTheFileAndStatusTwo)
{
    const Refused_case& c = GetParam();
    Program_setup setup;
    setup.name = c.name;
    setup.display = E2e_shared().server.display;
    setup.environment = {{"SDL_STDIO_REDIRECT", "0"}};
    if (c.folder)
        setup.picture_folder = true;
    else if (c.name != "nothere")
        setup.picture = Picture_text(palette, grid);   // an ordinary file on disk, refused by its name
    run = Program_start(setup);
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(Exit_wait(2, 60));
    EXPECT_EQ(Program_stderr(run), "Tintora: cannot read the picture file \"" + c.name + ".txt\" in " +
                                       run.folder_named + ": " + c.reason + "\n");
    EXPECT_EQ(Program_stdout(run), "");
}

INSTANTIATE_TEST_SUITE_P(Files, Windows_refused, ::testing::ValuesIn(Refused_cases()),
                         [](const auto& info) { return std::string(info.param.label); });

// Left to itself, SDL's start-up layer sends standard output and standard
// error to stdout.txt and stderr.txt beside the .exe, written by the C
// runtime in text mode (CR LF), and removes a file that stayed empty.
TEST_F(E2e_test, OutputGoesToStdoutTxtBesideTheProgram)
{
    Program_setup setup;
    setup.picture = Picture_text(palette, {"x", "X", "\tx", " x"});
    Screen_model model = Screen_model_create(palette);
    Screen_model_outline(model, {"x", "", "x", " x"});
    ASSERT_TRUE(Start(setup));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 30));
    Click(410, 530);
    Click(450, 50);
    Screen_model_fill(model, 20, 21);
    model.current = palette[4];
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "after-fill"));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(File_slurp(run.folder + "/stdout.txt"), "WHAT?\r\nWHAT?\r\n410, 530");
    EXPECT_FALSE(std::filesystem::exists(run.folder + "/stderr.txt"));
    EXPECT_EQ(Program_output_raw(run, "stdout"), "");
}

// (A program named after a device, NUL.exe say, cannot be started on
// Windows at all, and Wine gives it no folder for these files.)
TEST_F(E2e_test, RefusalGoesToStderrTxtBesideTheProgram)
{
    Program_setup setup;
    setup.picture_folder = true;
    setup.display = E2e_shared().server.display;
    run = Program_start(setup);
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(Exit_wait(2, 60));
    EXPECT_EQ(File_slurp(run.folder + "/stderr.txt"),
              "Tintora: cannot read the picture file \"picture.txt\" in " + run.folder_named +
                  ": it is a directory, not a picture file\r\n");
    EXPECT_FALSE(std::filesystem::exists(run.folder + "/stdout.txt"));
    EXPECT_EQ(Program_output_raw(run, "stderr"), "");
}

// A picture file is read only as far as its grid goes, and never more than
// 1 MiB of it: digits move no cell, so a file of digits never ends its grid.
struct Long_case {
    const char* label;
    std::string text;
    bool refused;
};

void PrintTo(const Long_case& c, std::ostream* out)
{
    *out << c.label;
}

std::vector<Long_case> Long_cases()
{
    const std::string head = Picture_text(palette, grid);
    const std::string digits(2u << 20, '7');
    const std::string full_grid = head + std::string(38 * 39, ' ');   // spills row after row to the end
    return {
        {"digits_past_the_limit", head + digits, true},
        {"ctrl_z_before_the_limit", head + "\x1a" + digits, false},
        {"grid_ends_before_the_limit", full_grid + digits, false},
        {"just_under_the_limit", head + std::string((1u << 20) - head.size(), '7'), false},
    };
}

class Windows_long_file : public E2e_test, public ::testing::WithParamInterface<Long_case> {};

TEST_P(Windows_long_file, IsReadNoFurtherThanOneMebibyte)
{
    const Long_case& c = GetParam();
    Program_setup setup;
    setup.picture = c.text;
    setup.display = E2e_shared().server.display;
    setup.environment = {{"SDL_STDIO_REDIRECT", "0"}};
    if (c.refused) {
        run = Program_start(setup);
        ASSERT_GT(run.pid, 0);
        ASSERT_TRUE(Exit_wait(2, 60));
        EXPECT_EQ(Program_stderr(run), "Tintora: cannot read the picture file \"picture.txt\" in " +
                                           run.folder_named +
                                           ": it goes on for more than 1 MiB before its grid ends, far longer "
                                           "than any picture\n");
        return;
    }
    ASSERT_TRUE(Start(setup));
    Screen_model model = Screen_model_create(palette);
    Screen_model_outline(model, grid);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 30));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stderr(run), "");
    EXPECT_EQ(Program_stdout(run), "");
}

INSTANTIATE_TEST_SUITE_P(Files, Windows_long_file, ::testing::ValuesIn(Long_cases()),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
