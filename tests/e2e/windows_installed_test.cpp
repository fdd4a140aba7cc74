// A picture started from where the Windows installer put it, as its Start
// Menu entry starts it: by its full path, in its own folder. It must show
// its picture file, colour a region and end with Escape. scripts/test-windows
// runs this after a silent install under Wine, with
//   TINTORA_INSTALLED_FOLDER   the install folder, as a Linux path
//   TINTORA_INSTALLED_COMMAND  the program's path as Windows names it
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include "e2e_fixture.h"

namespace {

std::string Environment_get(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The palette and the board a picture file describes; its grid lines hold
// only blanks, x and digits (which move no cell).
Screen_model Model_of(const std::string& text)
{
    std::istringstream in(text);
    std::array<Tint, 8> palette{};
    std::vector<std::string> grid;
    std::string line;
    for (int k = 0; std::getline(in, line); ++k) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (k < 8) {
            std::sscanf(line.c_str(), "%d,%d,%d", &palette[k].r, &palette[k].g, &palette[k].b);
        } else if (k > 8) {
            std::string cells;
            for (char c : line)
                if (c == ' ' || c == 'x')
                    cells += c;
            grid.push_back(cells.substr(0, 38));
        }
    }
    Screen_model model = Screen_model_create(palette);
    Screen_model_outline(model, grid);
    return model;
}

TEST_F(E2e_test, InstalledPictureShowsItsFileAndColours)
{
    const std::string folder = Environment_get("TINTORA_INSTALLED_FOLDER");
    const std::string command = Environment_get("TINTORA_INSTALLED_COMMAND");
    ASSERT_FALSE(folder.empty() || command.empty()) << "TINTORA_INSTALLED_FOLDER and _COMMAND must be set";
    const std::string name = command.substr(command.find_last_of('\\') + 1);
    const std::string stem = name.substr(0, name.find('.'));
    Program_setup setup;
    setup.folder = folder;
    setup.executable = folder + "/" + name;
    setup.command = command;
    Screen_model model = Model_of(File_slurp(folder + "/" + stem + ".txt"));
    ASSERT_TRUE(Start(setup));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 30));

    // The third colour, then the first square (in reading order) not an
    // outline: its region fills.
    Click(250, 50);
    model.current = model.palette[2];
    int i = 1, j = 1;
    while (Screen_model_square(model, i, j) == tint_outline) {
        if (++i == model_count - 1) {
            i = 1;
            ++j;
        }
    }
    Click(20 * i + 10, 100 + 20 * j + 10);
    ASSERT_GT(Screen_model_fill(model, i, j), 0);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "filled", 120));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    // SDL's start-up layer wrote the trace beside the installed program.
    EXPECT_EQ(File_slurp(folder + "/stdout.txt"),
              std::to_string(20 * i + 10) + ", " + std::to_string(100 + 20 * j + 10));
}

}  // namespace
