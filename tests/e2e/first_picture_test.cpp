// The real program in a real window: what it shows when it starts, what it
// reports about its picture file, and how it ends.
#include <sys/stat.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include "e2e_fixture.h"
#include "saved_as.h"

namespace {

// Odd palette entries: 300,-1,0 draws as 44,255,0 but is not that colour,
// nor 300,-1,256, which draws the same and differs only in blue; it appears
// twice, so both of its items are framed as current.
constexpr std::array<Tint, 8> odd_palette{{{300, -1, 0},
                                           {44, 255, 0},
                                           {300, -1, 0},
                                           {20, 20, 20},
                                           {200, 200, 200},
                                           {-56, 456, 7},
                                           {0, 0, 255},
                                           {300, -1, 256}}};

// The grid as saved, with characters the program does not expect: 'X', a
// tab and 'o' each give one "WHAT?" line and move no cell; digits are
// silent; a 39-cell line's 40th character ends its row unseen, and the line
// break after it ends an empty row.
const std::vector<std::string> odd_grid{
    "x",
    "3 x x",
    " xX",
    "x\tx",
    std::string(38, 'x'),
    "",
    "  xxxx  o  x",
    std::string(39, 'x') + "Q",
    "   x",
};
// The same board in ' ' and 'x' only.
const std::vector<std::string> odd_board{
    "x",
    " x x",
    " x",
    "xx",
    std::string(38, 'x'),
    "",
    "  xxxx    x",
    std::string(38, 'x'),
    "",
    "   x",
};
const std::string odd_messages = "WHAT?\nWHAT?\nWHAT?\n";

std::string Lines_after(const std::string& text, int skipped, std::vector<std::string>& lines)
{
    std::istringstream in(text);
    std::string line, head;
    for (int k = 0; k < skipped && std::getline(in, line); ++k)
        head += line + "\n";
    while (std::getline(in, line))
        lines.push_back(line);
    return head;
}

// The bundled house picture, and its board read off its grid lines.
struct Bundled_picture {
    std::string text;
    std::array<Tint, 8> palette{};
    std::vector<std::string> grid;
};

Bundled_picture House_load()
{
    Bundled_picture house;
    house.text = File_slurp(std::string(TINTORA_PICTURES) + "/house.txt");
    std::vector<std::string> lines;
    Lines_after(house.text, 0, lines);
    for (std::size_t k = 0; k < 8 && k < lines.size(); ++k)
        std::sscanf(lines[k].c_str(), "%d,%d,%d", &house.palette[k].r, &house.palette[k].g, &house.palette[k].b);
    if (lines.size() > 9)
        house.grid.assign(lines.begin() + 9, lines.end());
    return house;
}

enum class Quit_by { escape, close_request };

struct First_view_case {
    const char* name;
    std::string picture;
    std::array<Tint, 8> palette;
    std::vector<std::string> board;
    std::string messages;
    Quit_by quit;
};

std::vector<First_view_case> First_view_cases()
{
    const Bundled_picture house = House_load();
    return {
        {"odd_palette", Picture_text(odd_palette, odd_grid), odd_palette, odd_board, odd_messages, Quit_by::escape},
        {"house", house.text, house.palette, house.grid, "", Quit_by::close_request},
    };
}

void PrintTo(const First_view_case& c, std::ostream* out)
{
    *out << c.name;
}

void PrintTo(Quit_by how, std::ostream* out)
{
    *out << (how == Quit_by::escape ? "escape" : "close request");
}

class First_view : public E2e_test, public ::testing::WithParamInterface<First_view_case> {};

// Every pixel of the first view: the toolbar with the first colour (and any
// equal one) framed, the ring, the outlines, the default grey and the grid.
TEST_P(First_view, ShowsEveryPixelReportsAndQuits)
{
    const First_view_case& c = GetParam();
    ASSERT_GT(c.board.size(), 0u) << "the picture has no grid";
    Screen_model model = Screen_model_create(c.palette);
    Screen_model_outline(model, c.board);

    ASSERT_TRUE(Start(c.picture));
    EXPECT_EQ(Window_caption(E2e_shared().watch, window), "Tintora");
    const std::optional<std::string> icon = Window_icon_name(E2e_shared().watch, window);
    if (icon) {
        EXPECT_EQ(*icon, "Tintora");
    }
    const Window_extent size = Window_size(E2e_shared().watch, window);
    EXPECT_EQ(size.width, 800);
    EXPECT_EQ(size.height, 900);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 20));

    if (c.quit == Quit_by::escape)
        Key(XK_Escape);
    else
        Close_request();
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stdout(run), c.messages);
    EXPECT_EQ(Program_stderr(run), "");
}

INSTANTIATE_TEST_SUITE_P(Pictures, First_view, ::testing::ValuesIn(First_view_cases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The same picture saved with CR LF line ends and ended by a Ctrl-Z, with
// more grid after it, shows the same board and gives the same messages.
TEST_F(E2e_test, DosTextShowsTheSameBoardAndMessages)
{
    Screen_model model = Screen_model_create(odd_palette);
    Screen_model_outline(model, odd_board);
    const std::string lf = Picture_text(odd_palette, odd_grid);
    const std::string dos = Text_dos(lf, std::string(38, 'x') + "\nX\nxxxx\n");
    ASSERT_NE(lf, dos);

    ASSERT_TRUE(Start(dos));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "dos-first-view", 20));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stdout(run), odd_messages);
}

// The bundled house saved as a Windows editor saves it, with CR LF line
// ends: with a UTF-8 mark, and as UTF-16 either way round. Each shows pixel
// for pixel what the plain file shows, and nothing is reported.
class Saved_as_view : public E2e_test, public ::testing::WithParamInterface<Saved_as> {};

TEST_P(Saved_as_view, ShowsWhatThePlainFileShows)
{
    const Bundled_picture house = House_load();
    ASSERT_GT(house.grid.size(), 0u);
    Screen_model model = Screen_model_create(house.palette);
    Screen_model_outline(model, house.grid);
    const std::string saved = Saved_text(Crlf_of(house.text), GetParam());
    ASSERT_NE(saved.substr(0, 2), house.text.substr(0, 2));

    ASSERT_TRUE(Start(saved));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "saved-as-first-view", 20));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stdout(run), "");
    EXPECT_EQ(Program_stderr(run), "");
}

INSTANTIATE_TEST_SUITE_P(Encodings, Saved_as_view,
                         ::testing::Values(Saved_as::utf8_marked, Saved_as::utf16le, Saved_as::utf16be),
                         [](const auto& info) {
                             return info.param == Saved_as::utf8_marked ? std::string("utf8_with_mark")
                                    : info.param == Saved_as::utf16le  ? std::string("utf16le")
                                                                       : std::string("utf16be");
                         });

// Only Escape and a close request end the program: other keys, and the
// release of Escape alone, do nothing; pressing Escape ends it at once,
// before the key is let go.
class Quitting : public E2e_test, public ::testing::WithParamInterface<Quit_by> {};

TEST_P(Quitting, OnlyEscapeOrCloseEndsTheProgram)
{
    const std::array<Tint, 8> palette{{{230, 57, 70}, {255, 183, 3}, {33, 158, 188}, {106, 176, 76},
                                       {244, 162, 97}, {142, 90, 60}, {255, 255, 255}, {0, 0, 0}}};
    Screen_model model = Screen_model_create(palette);
    ASSERT_TRUE(Start(Picture_text(palette, {})));
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "first-view", 20));

    for (X_keysym key : {XK_a, XK_q, XK_Return, XK_space, XK_Delete})
        Key(key);
    Key_event(E2e_shared().watch, XK_Escape, false);   // a release with no press
    // A toolbar press queued after the keys shows that they were handled.
    Click(450, 50);
    model.current = palette[4];
    ASSERT_TRUE(Screen_wait(Screen_model_draw(model), "after-keys"));
    EXPECT_TRUE(Program_running(run)) << "ended by a key other than Escape (status " << run.status << ")";

    if (GetParam() == Quit_by::escape) {
        Mouse_move(E2e_shared().watch, window, 400, 50);
        Key_event(E2e_shared().watch, XK_Escape, true);
    } else {
        Close_request();
    }
    const ::testing::AssertionResult ended = Exit_wait(0);
    if (GetParam() == Quit_by::escape)
        Key_event(E2e_shared().watch, XK_Escape, false);
    ASSERT_TRUE(ended);
    EXPECT_EQ(Program_stdout(run), "");
    EXPECT_EQ(Program_stderr(run), "");
}

INSTANTIATE_TEST_SUITE_P(Keys, Quitting, ::testing::Values(Quit_by::escape, Quit_by::close_request),
                         [](const auto& info) {
                             return std::string(info.param == Quit_by::escape ? "escape" : "close_request");
                         });

// A missing picture file: the window may open, but the program ends with
// status 2 and says which file it looked for, and in which folder.
TEST_F(E2e_test, MissingPictureFileIsNamedWithItsFolder)
{
    Program_setup setup;
    setup.name = "nothere";
    setup.display = E2e_shared().server.display;
    run = Program_start(setup);
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(Exit_wait(2));
    const std::string err = Program_stderr(run);
    EXPECT_NE(err.find("nothere.txt"), std::string::npos) << err;
    EXPECT_NE(err.find(run.folder_named), std::string::npos)
        << "folder " << run.folder_named << " not named in: " << err;
    EXPECT_EQ(Program_stdout(run), "");
}

// With no display at all the program says so, exactly, and ends with status
// 1 without touching the picture file: a FIFO with no writer stands in its
// place, which would hold up (or be refused by) a reader.
TEST_F(E2e_test, NoDisplaySaysSoWithoutReadingThePicture)
{
    Program_setup setup;
    setup.picture_fifo = true;
    setup.display = std::nullopt;
    run = Program_start(setup);
    ASSERT_GT(run.pid, 0);
    ASSERT_TRUE(Exit_wait(1, 30));
    EXPECT_EQ(Program_stderr(run), "OMG NO WINDOW\n");
    EXPECT_EQ(Program_stdout(run), "");
}

}  // namespace
