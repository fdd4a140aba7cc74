// tintora-check --preview against the real window: for each picture file the
// checker writes its preview PNG, the real program is started on the same
// file, and the window must show exactly the preview's pixels. The files
// are those where reading is least obvious: a shifted palette, odd values,
// spilled lines, CR LF with a Ctrl-Z, the title-line trap. Then the
// checker's regions against the real fill: a click in each region must
// colour exactly the squares the checker counts in it.
#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "check/picture_check.h"
#include "e2e_fixture.h"
#include "png_read.h"

namespace {

struct Preview_case {
    const char* name;
    std::string text;
    int status;   // the checker's
};

const std::string palette8 = "230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0\n";
const std::string box = " xxxxx\n x   x\n x x x\n xxxxx\n";

const Preview_case cases[] = {
    {"clean", palette8 + "A box\n" + box, 0},
    {"blank_before_comma", "230,57,70\n255 ,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0\nA box\n" + box, 1},
    {"odd_values", "300,-1,0\n70000,65535,-32768\n20,20,20\n200,200,200\n300,-1,0\n1,2,3\n4,5\n\nA box\n" + box, 1},
    {"spilled_lines", palette8 + "A box\n" + std::string(41, 'x') + "\n" + std::string(39, 'x') + "9\n" + box, 1},
    {"crlf_ctrl_z",
     "230,57,70\r\n255,183,3\r\n33,158,188\r\n106,176,76\r\n244,162,97\r\n142,90,60\r\n255,255,255\r\n0,0,0\r\n"
     "A box\r\n xxxxx\r\n x \r x\r\n xxxxx\r\n\x1A xxx\r\n",
     1},
    {"title_trap", "230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n255,255,255\n0,0,0 \nx box\n" + box, 1},
};

class Preview : public E2e_test, public ::testing::WithParamInterface<Preview_case> {};

TEST_P(Preview, IsWhatTheWindowShowsOfTheSameFile)
{
    const Preview_case& c = GetParam();
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("tintora-preview-" + std::to_string(getpid()) + "-" + c.name);
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "picture.txt").string();
    const std::string png = (folder / "preview.png").string();
    std::ofstream(file, std::ios::binary) << c.text;

    const std::string command = std::string("'") + TINTORA_CHECK + "' --preview '" + png + "' '" + file + "' >/dev/null";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    EXPECT_EQ(WEXITSTATUS(status), c.status) << command;
    const Image preview = Png_read(png);
    std::filesystem::remove_all(folder);
    ASSERT_EQ(preview.width, model_width);
    ASSERT_EQ(preview.height, model_height);

    ASSERT_TRUE(Start(c.text));
    EXPECT_TRUE(Screen_wait(preview, std::string("preview of ") + c.name));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

// Regions the fill must keep apart: a box of two squares, a square closed
// by four outline squares around it, and the rest of the board.
const std::string regions_text = palette8 + "Regions\n\n xxxx\n x  x\n xxxx x\n     x x\n      x\n";

TEST_F(E2e_test, EachRegionTheCheckerCountsIsWhatOneClickFills)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tintora-regions-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "picture.txt").string();
    const std::string png = (folder / "preview.png").string();
    std::ofstream(file, std::ios::binary) << regions_text;
    const Picture_check check = Picture_check_file(file);
    const std::string command = std::string("'") + TINTORA_CHECK + "' --preview '" + png + "' '" + file + "' >/dev/null";
    const int status = std::system(command.c_str());
    Image expected = Png_read(png);
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
    ASSERT_EQ(check.regions.regions.size(), 3u) << Picture_summary("picture.txt", check);
    ASSERT_EQ(expected.width, model_width);

    ASSERT_TRUE(Start(regions_text));
    ASSERT_TRUE(Screen_wait(expected, "first view"));
    const Rgb8 first{230, 57, 70};   // the first colour, chosen at start
    for (std::size_t r = 0; r < check.regions.regions.size(); ++r) {
        const Region& region = check.regions.regions[r];
        for (int i = 0; i < model_count; ++i)
            for (int j = 0; j < model_count; ++j)
                if (check.regions.of[static_cast<std::size_t>(i * model_count + j)] == static_cast<int>(r))
                    Image_box(expected, model_square * i + 1, model_strip + model_square * j + 1,
                              model_square * i + model_square - 1, model_strip + model_square * j + model_square - 1,
                              first);
        Click(model_square * region.i + model_square / 2, model_strip + model_square * region.j + model_square / 2);
        ASSERT_TRUE(Screen_wait(expected, "region " + std::to_string(r + 1) + " of " + std::to_string(region.size) +
                                              " squares filled"));
    }
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

INSTANTIATE_TEST_SUITE_P(Files, Preview, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Preview_case>& info) { return info.param.name; });

}  // namespace
