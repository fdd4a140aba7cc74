// The picture book in a real window: its thumbnails against screenshots of
// the real painter reduced by the book's rule, a click and Enter opening the
// right picture in the painter, Escape there bringing the book back, the
// arrows' selection, the wheel, a picture dropped into the person's own
// folder, a painter's failure shown in the book's window, kept colourings
// (under Wine too), and the card's buttons for those with only a mouse.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <csignal>
#include <tuple>
#include <unistd.h>
#include "e2e_fixture.h"
#include "png_read.h"

namespace {

namespace fs = std::filesystem;

// The book's layout, as a person measures it on the screen: four cells of
// 200 x 225 across, each a 160 x 180 thumbnail at (20, 12) within it.
constexpr int cell_width = 200, cell_height = 225, thumb_x = 20, thumb_y = 12, thumb_w = 160, thumb_h = 180;
const Rgb8 background{0x30, 0x30, 0x30};
const Rgb8 selection{255, 200, 0};
const Rgb8 banner{120, 20, 20};
const Rgb8 button_face{250, 240, 200};
// A card's buttons, over the bottom left of its thumbnail, 24 pixels high:
// the lowest from y = 151 within the thumbnail, the one above it from 124.
// The buttons stack up from the thumbnail's foot: Print, Save image, then
// Start again once a colouring is kept.
constexpr int button_x = 60, print_button_y = 162, save_button_y = 135, again_button_y = 108;
// The question's Yes and No, at the bottom right of the window.
constexpr int yes_x = 628, no_x = 738, answer_y = 870;

std::string Environment_get(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string Book_default()
{
    const std::string asked = Environment_get("TINTORA_E2E_BOOK");
    return asked.empty() ? TINTORA_BOOK : asked;
}

// The documented rule: thumbnail pixel (x, y) is pixel (5x + 2, 5y + 2).
Image Image_reduce(const Image& view)
{
    Image thumb{thumb_w, thumb_h, std::vector<std::uint8_t>(thumb_w * thumb_h * 3)};
    for (int y = 0; y < thumb_h; ++y)
        for (int x = 0; x < thumb_w; ++x)
            Image_set(thumb, x, y, Image_at(view, 5 * x + 2, 5 * y + 2));
    return thumb;
}

Image Image_crop(const Image& image, int x0, int y0, int w, int h)
{
    Image part{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w * h * 3))};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            Image_set(part, x, y, Image_at(image, x0 + x, y0 + y));
    return part;
}

struct Cell_place {
    int x, y;
};
Cell_place Thumb_place(int index, int top_row = 0)
{
    return {(index % 4) * cell_width + thumb_x, (index / 4 - top_row) * cell_height + thumb_y};
}
Image Thumb_of(const Image& book, int index, int top_row = 0)
{
    const Cell_place at = Thumb_place(index, top_row);
    return Image_crop(book, at.x, at.y, thumb_w, thumb_h);
}

// A picture file's palette and board, read off its lines the simple way
// (the pictures here use only ' ', 'x' and digits in their grids).
Screen_model Model_of(const std::string& text)
{
    std::istringstream in(text);
    std::string line;
    std::array<Tint, 8> palette{};
    for (int k = 0; k < 8 && std::getline(in, line); ++k)
        std::sscanf(line.c_str(), "%d,%d,%d", &palette[k].r, &palette[k].g, &palette[k].b);
    std::getline(in, line);
    std::vector<std::string> grid;
    while (std::getline(in, line)) {
        line.erase(std::remove_if(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; }), line.end());
        grid.push_back(line.substr(0, 38));
    }
    Screen_model model = Screen_model_create(palette);
    Screen_model_outline(model, grid);
    return model;
}

std::vector<std::string> Bundled_names()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(TINTORA_PICTURES))
        if (entry.path().extension() == ".txt")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

const std::string dragon = Picture_text({{{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {250, 250, 0},
                                          {0, 250, 250}, {250, 0, 250}, {90, 90, 90}, {10, 10, 10}}},
                                        {"", "  xxxxxxxx", "  x      x", "  xxxxxxxx", "", "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"},
                                        "A dragon of my own");

// A picture named in another script, with a palette of its own.
const std::string cat = Picture_text({{{10, 10, 10}, {250, 250, 250}, {240, 120, 0}, {0, 120, 240},
                                       {120, 240, 0}, {240, 0, 120}, {60, 60, 60}, {200, 100, 50}}},
                                     {"", "", "      xxxxxxxxxx", "      x        x", "      xxxxxxxxxx"}, "猫の絵");

// A picture whose name holds a blank and an apostrophe: started under
// that name, the painter must take it whole (on Windows, the first word of
// its command line in double quotes).
const std::string bobs_cat = Picture_text({{{250, 250, 250}, {200, 30, 30}, {30, 30, 200}, {30, 200, 30},
                                            {250, 120, 0}, {120, 0, 250}, {0, 0, 0}, {160, 160, 40}}},
                                          {"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "", "", "  xxxx  xxxx"},
                                          "Bob's cat");

class Book_window : public E2e_test {
protected:
    // The book runs from the Windows layout (its own folder holding the
    // painter and the pictures) when TINTORA_E2E_BOOK_FOLDER names one; the
    // own pictures folder is then the one that Windows program finds
    // (%APPDATA%\Tintora\pictures, named by TINTORA_E2E_BOOK_OWN as a Linux
    // path), else one of XDG_DATA_HOME in a fresh temporary folder.
    void SetUp() override
    {
        own = Environment_get("TINTORA_E2E_BOOK_OWN");
        if (own.empty()) {
            char name[] = "/tmp/tintora-book-e2e-XXXXXX";
            ASSERT_NE(mkdtemp(name), nullptr);
            data = name;
            own = data + "/tintora/pictures";
        }
        std::error_code ignored;
        fs::remove_all(own, ignored);
        fs::create_directories(own);
        // Under Wine the colourings of an earlier test are in the same place.
        if (data.empty())
            fs::remove_all(Colourings(), ignored);
    }
    void TearDown() override
    {
        // A painter the book started outlives a book stopped by force.
        if (run.pid > 0 && !run.exited)
            if (const pid_t child = Painter_pid(); child > 0)
                kill(child, SIGKILL);
        E2e_test::TearDown();
        std::error_code ignored;
        fs::remove_all(data.empty() ? own : data, ignored);
        if (data.empty())
            fs::remove_all(Colourings(), ignored);
    }

    // Starts the book with the own folder above and waits for its window;
    // `setup_more` may change how it starts.
    ::testing::AssertionResult Book_start(const std::function<void(Program_setup&)>& setup_more = {})
    {
        Program_setup setup;
        setup.executable = Book_default();
        setup.name = "tintora-book";
        setup.display = E2e_shared().server.display;
        setup.folder = Environment_get("TINTORA_E2E_BOOK_FOLDER");
        if (data.empty())
            setup.environment = {{"SDL_STDIO_REDIRECT", "0"}};
        else
            setup.environment = {{"XDG_DATA_HOME", data}};
        if (setup_more)
            setup_more(setup);
        if (!Wait_until(10, [&] { return Window_find(E2e_shared().watch, book_caption) == 0; }))
            return ::testing::AssertionFailure() << "a book of an earlier run is still there";
        Program_stop(run);
        run = Program_start(setup);
        if (run.pid <= 0)
            return ::testing::AssertionFailure() << "the book could not be started";
        return Book_wait();
    }
    // Waits for the book's window (again) and for it to be drawn.
    ::testing::AssertionResult Book_wait()
    {
        window = 0;
        Wait_until(30, [&] {
            window = Window_find(E2e_shared().watch, book_caption);
            return window != 0 || !Program_running(run);
        });
        if (!window)
            return ::testing::AssertionFailure() << "no window \"" << book_caption << "\"; the book "
                                                 << (run.exited ? "ended, stderr: " + Program_stderr(run) : "runs");
        // Drawn: its top left corner is the background, never the black of
        // a window not drawn yet.
        if (!Book_shows([](const Image& shot) { return Image_at(shot, 2, 2) == background; }))
            return ::testing::AssertionFailure() << "the book's window was never drawn";
        return Stable_grab(book);
    }
    // Grabs the book's window into `book` until the test holds (true) or
    // the time is up (false, `book` the last screenshot).
    template <class Test>
    bool Book_shows(Test&& test, double seconds = 20)
    {
        return Wait_until(seconds, [&] {
            Image shot = Grab();
            if (shot.rgb.empty())
                return false;
            book = std::move(shot);
            return test(book);
        });
    }
    // Waits for the painter's window: the book's must be gone meanwhile.
    ::testing::AssertionResult Painter_wait()
    {
        painter = 0;
        Wait_until(30, [&] {
            painter = Window_find(E2e_shared().watch, "Tintora");
            return painter != 0;
        });
        if (!painter)
            return ::testing::AssertionFailure() << "no painter window";
        // The book closed its window before starting the painter; the server
        // may see that connection go a moment after the painter's window comes.
        if (!Wait_until(5, [&] { return Window_find(E2e_shared().watch, book_caption) == 0; }))
            return ::testing::AssertionFailure() << "the book's window is still shown beside the painter";
        const X_window book_window = window;
        window = painter;
        // Drawn: the ring's top left square is outline, never the black of
        // a window not drawn yet.
        Wait_until(20, [&] {
            const Image shot = Grab();
            return !shot.rgb.empty() && Image_at(shot, 10, 110) == Rgb8{20, 20, 20};
        });
        const ::testing::AssertionResult grabbed = Stable_grab(painted);
        window = book_window;
        return grabbed;
    }
    // A screenshot once two in a row, 100 ms apart, are the same.
    ::testing::AssertionResult Stable_grab(Image& shot)
    {
        Image last;
        const bool stable = Wait_until(20, [&] {
            Image now = Grab();
            Sleep_for(0.1);
            const bool same = !now.rgb.empty() && now.rgb == last.rgb;
            last = std::move(now);
            return same;
        });
        shot = last;
        if (!stable || shot.rgb.empty())
            return ::testing::AssertionFailure() << "the window did not settle";
        return ::testing::AssertionSuccess();
    }
    // As E2e_test::Key: a Windows painter is given the focus first.
    void Painter_key(X_keysym key)
    {
        if (run.windows) {
            Window_focus(E2e_shared().watch, painter);
            Window_ping(E2e_shared().watch, painter);
        }
        Key_tap(E2e_shared().watch, painter, key);
        if (run.windows)
            Window_ping(E2e_shared().watch, painter);
    }

    // The thumbnail must be the painter's first view reduced, pixel for pixel.
    ::testing::AssertionResult Thumb_matches_painter(int index, int top_row = 0)
    {
        const Image expected = Image_reduce(painted);
        const Image seen = Thumb_of(book, index, top_row);
        if (seen.rgb == expected.rgb)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "thumbnail " << index << " differs from the painter's screenshot reduced (book "
               << Shot_save(book, "book") << ", painter " << Shot_save(painted, "painter") << ", expected "
               << Shot_save(expected, "thumb-expected") << ")";
    }

    void Painter_click(int x, int y) { Mouse_click(E2e_shared().watch, painter, x, y, 1); }
    // Grabs the painter's window once it has settled.
    ::testing::AssertionResult Painter_grab(Image& shot)
    {
        const X_window book_window = window;
        window = painter;
        const ::testing::AssertionResult grabbed = Stable_grab(shot);
        window = book_window;
        return grabbed;
    }
    // Beside the own pictures: $XDG_DATA_HOME/tintora/colourings, or under
    // Wine %APPDATA%\Tintora\colourings.
    std::string Colourings() { return (fs::path(own).parent_path() / "colourings").string(); }
    std::string Kept_path(const std::string& name) { return Colourings() + "/" + name + ".own.colouring"; }
    // Cell (i, j) of the board as the kept colouring gives it (the file's
    // documented layout: three lines, then row 1 from column 1), or '?'.
    char Kept_cell(const std::string& name, int i, int j)
    {
        std::ifstream in(Kept_path(name));
        std::string line;
        for (int k = 0; k < 3 + j && std::getline(in, line);)
            ++k;
        return in && static_cast<int>(line.size()) >= i ? line[static_cast<std::size_t>(i - 1)] : '?';
    }
    // Waits until the kept colouring holds these cells: the painter has
    // finished those fills and kept them.
    bool Kept_wait(const std::string& name, std::initializer_list<std::tuple<int, int, char>> cells)
    {
        return Wait_until(60, [&] {
            for (const auto& [i, j, c] : cells)
                if (Kept_cell(name, i, j) != c)
                    return false;
            return true;
        });
    }
    // The painter's process: the book's one child.
    pid_t Painter_pid()
    {
        std::ifstream children("/proc/" + std::to_string(run.pid) + "/task/" + std::to_string(run.pid) + "/children");
        pid_t child = -1;
        children >> child;
        return child;
    }
    std::vector<std::string> Folder_names(const std::string& folder)
    {
        std::vector<std::string> names;
        std::error_code error;
        for (fs::directory_iterator entry(folder, error); !error && entry != fs::directory_iterator(); ++entry)
            names.push_back(entry->path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The thumbnail without its bottom right corner, where the kept mark is.
    static Image Thumb_unmarked(const Image& thumb)
    {
        Image part = thumb;
        for (int y = thumb_h - 20; y < thumb_h; ++y)
            for (int x = thumb_w - 20; x < thumb_w; ++x)
                Image_set(part, x, y, Rgb8{0, 0, 0});
        return part;
    }

    const std::string book_caption = "Tintora pictures";
    std::string data, own;
    Image book, painted;
    X_window painter = 0;
};

// Pictures opened by a click: the right picture in the painter's window,
// its thumbnail that view reduced, Escape back to the book. The person's
// own pictures come first, one of them named with a blank and an
// apostrophe and one in another script (the painter is started under that
// name and finds the file).
TEST_F(Book_window, AClickOpensThePictureWhoseThumbnailItIs)
{
    std::ofstream(own + "/Bob's cat.txt") << bobs_cat;
    std::ofstream(own + "/dragon.txt") << dragon;
    std::ofstream(own + "/猫.txt") << cat;
    std::vector<std::string> names = Bundled_names();
    ASSERT_GE(names.size(), 8u);
    names.insert(names.begin(), {"", "Bob's cat", "dragon", "猫"});   // after the "New picture" card
    ASSERT_TRUE(Book_start());
    EXPECT_EQ(Window_size(E2e_shared().watch, window).width, 800);
    EXPECT_EQ(Window_size(E2e_shared().watch, window).height, 900);
    // The first card is selected at the start.
    EXPECT_EQ(Image_at(book, thumb_x - 4, 100), selection);
    for (int index : {1, 2, 3, 4, 10}) {
        SCOPED_TRACE(names[static_cast<std::size_t>(index)]);
        const Cell_place at = Thumb_place(index);
        Click(at.x + 80, at.y + 90);
        ASSERT_TRUE(Painter_wait());
        const std::string text =
            index == 1   ? bobs_cat
            : index == 2 ? dragon
            : index == 3 ? cat
                         : File_slurp(std::string(TINTORA_PICTURES) + "/" + names[static_cast<std::size_t>(index)] + ".txt");
        const Image model = Screen_model_draw(Model_of(text));
        EXPECT_EQ(painted.rgb, model.rgb) << "the painter does not show " << names[static_cast<std::size_t>(index)]
                                          << ":\n" << Image_differences(model, painted);
        EXPECT_TRUE(Thumb_matches_painter(index));
        Painter_key(XK_Escape);
        ASSERT_TRUE(Book_wait());
        EXPECT_TRUE(Program_running(run));
        // The opened picture is now the selected one.
        EXPECT_EQ(Image_at(book, at.x - 4, at.y + 90), selection);
    }
    // A click between thumbnails opens nothing.
    Click(10, 300);
    Sleep_for(0.5);
    EXPECT_EQ(Window_find(E2e_shared().watch, "Tintora"), 0ul);
    Close_request();
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stderr(run), "");
}

// The arrows move a frame that shows; Enter opens what it frames.
TEST_F(Book_window, ArrowsMoveTheSelectionAndEnterOpensIt)
{
    ASSERT_TRUE(Book_start());
    // With no window manager the keyboard follows the pointer: point at the
    // window first, as a person would, and let the layer over SDL2 see the
    // focus arrive before the first key.
    Mouse_move(E2e_shared().watch, window, 400, 895);
    Sleep_for(0.5);
    // Typed as a person types: a moment apart, and no key twice in a row
    // (the layer over SDL2 takes a release and a press of one key at the
    // same server time for the key held down, and drops it).
    for (X_keysym key : {XK_Right, XK_Down, XK_Left, XK_Right, XK_Up, XK_Down}) {
        Key(key);
        Sleep_for(0.1);
    }
    const Cell_place framed = Thumb_place(5);
    EXPECT_TRUE(Book_shows([&](const Image& shot) { return Image_at(shot, framed.x - 4, framed.y + 90) == selection; }))
        << "no frame around thumbnail 5; " << Shot_save(book, "selection");
    EXPECT_EQ(Image_at(book, thumb_x - 4, thumb_y + 90), background);
    Key(XK_Return);
    ASSERT_TRUE(Painter_wait());
    EXPECT_TRUE(Thumb_matches_painter(5));
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

// A picture dropped into the own folder is there the next time; with more
// pictures than fit, the wheel scrolls a row at a time.
TEST_F(Book_window, AnOwnPictureAppearsTheNextTimeAndTheWheelScrolls)
{
    ASSERT_TRUE(Book_start());
    const Image before = book;
    Close_request();
    ASSERT_TRUE(Exit_wait(0));

    std::ofstream(own + "/dragon.txt") << dragon;
    // Enough copies to need scrolling: 14 own pictures, then the bundled ones.
    for (int k = 0; k < 13; ++k)
        std::ofstream(own + "/copy" + std::string(1, static_cast<char>('a' + k)) + ".txt") << dragon;
    ASSERT_TRUE(Book_start());
    const Image dragon_thumb = Image_reduce(Screen_model_draw(Model_of(dragon)));
    // After the "New picture" card: copya..m, then dragon.
    EXPECT_EQ(Thumb_of(book, 14).rgb, dragon_thumb.rgb) << Shot_save(book, "book");
    EXPECT_NE(Thumb_of(before, 1).rgb, Thumb_of(book, 1).rgb);

    Click(400, 450, 5);
    Click(400, 450, 5);
    // Two rows down, the first bundled picture (at 1 before, now 15) is in
    // the second row, after the dragon.
    EXPECT_TRUE(Book_shows([&](const Image& shot) { return Thumb_of(shot, 15, 2).rgb == Thumb_of(before, 1).rgb; }))
        << Shot_save(book, "scrolled");
    EXPECT_EQ(Thumb_of(book, 14, 2).rgb, dragon_thumb.rgb);
    Click(400, 450, 4);
    EXPECT_TRUE(Book_shows([&](const Image& shot) { return Thumb_of(shot, 15, 1).rgb == Thumb_of(before, 1).rgb; }))
        << Shot_save(book, "scrolled-back");
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

// The X server goes away while the painter runs and is back a second
// later on the same display, as a bare server restarts when its last client
// leaves: the book waits for it and opens its window there, rather than
// giving up because no display could be reached at that very moment.
TEST_F(Book_window, TheBookComesBackOnADisplayThatRestartedMeanwhile)
{
    if (!Environment_get("TINTORA_E2E_BOOK_FOLDER").empty())
        GTEST_SKIP() << "under Wine the server's end takes the Windows session with it";
    // A display number far above those that servers choosing their own
    // take (the lowest free one), so that the test programs running beside
    // this one cannot take it while it is free for that second.
    Xvfb_server restarting;
    for (int k = 0; k < 20 && restarting.display.empty(); ++k)
        restarting = Xvfb_start(1024, 1024, ":" + std::to_string(5000 + getpid() % 1000 * 20 + k));
    ASSERT_FALSE(restarting.display.empty());
    const std::string display = restarting.display;
    X_watch watch = X_watch_open(display);
    ASSERT_NE(watch.display, nullptr);
    Program_setup setup;
    setup.executable = Book_default();
    setup.name = "tintora-book";
    setup.display = display;
    setup.environment = {{"XDG_DATA_HOME", data}};
    run = Program_start(setup);
    ASSERT_GT(run.pid, 0);
    X_window shown = 0;
    ASSERT_TRUE(Wait_until(30, [&] { return (shown = Window_find(watch, book_caption)) != 0; }))
        << Program_stderr(run);
    // The first bundled picture, after the "New picture" card.
    const Cell_place first = Thumb_place(1);
    ASSERT_TRUE(Wait_until(30, [&] {
        Mouse_click(watch, shown, first.x + 80, first.y + 90, 1);
        return Wait_until(3, [&] { return Window_find(watch, "Tintora") != 0; });
    })) << "no painter window";
    X_watch_close(watch);
    Xvfb_stop(restarting);
    Sleep_for(1);
    restarting = Xvfb_start(1024, 1024, display);
    ASSERT_EQ(restarting.display, display);
    watch = X_watch_open(display);
    ASSERT_NE(watch.display, nullptr);
    EXPECT_TRUE(Wait_until(30, [&] { return (shown = Window_find(watch, book_caption)) != 0 || !Program_running(run); }))
        << "the book did not come back";
    EXPECT_NE(shown, 0ul) << "the book ended: " << Program_stderr(run);
    if (shown) {
        Key_tap(watch, shown, XK_Escape);
        EXPECT_TRUE(Program_wait(run, 30));
        EXPECT_EQ(run.status, 0) << Program_stderr(run);
    }
    X_watch_close(watch);
    Xvfb_stop(restarting);
}

// A picture the painter cannot use: the book shows its message in the
// cell, and when opened, the painter's own message in its window.
TEST_F(Book_window, APaintersFailureIsShownInTheBook)
{
    fs::create_directories(own + "/cave.txt");
    ASSERT_TRUE(Book_start());
    // Its cell (after the "New picture" card) is a grey box with the
    // message, not a thumbnail.
    const Cell_place cave = Thumb_place(1);
    EXPECT_EQ(Image_at(book, cave.x + 150, cave.y + 170), (Rgb8{90, 90, 90}));
    EXPECT_EQ(Image_at(book, 400, 890), background);
    Click(cave.x + 80, cave.y + 90);
    // The painter fails at once: the book's window closes and opens again
    // (a new window) with the message, which is what is waited for.
    const bool shown = Wait_until(30, [&] {
        window = Window_find(E2e_shared().watch, book_caption);
        return window && Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }, 0);
    });
    EXPECT_TRUE(shown) << "no message in the book's window; " << Shot_save(book, "message");
    EXPECT_TRUE(Program_running(run));
    // The message went to the window, not to a terminal.
    EXPECT_EQ(Program_stderr(run), "");
    // The next click only takes the message away.
    Click(cave.x + 80, cave.y + 90);
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }))
        << Shot_save(book, "message-gone");
    Sleep_for(0.5);
    EXPECT_EQ(Window_find(E2e_shared().watch, "Tintora"), 0ul);
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

// A painter that writes 20 MB to its standard error before it ends
// (tests/loud_painter.cpp, in the painter's place beside a copy of the
// book): the book comes back, its box holding the painter's last eight
// lines, "..." above them, and no more of the window than they need.
TEST_F(Book_window, APainterThatTalksALotIsShownByItsLastWords)
{
    const fs::path book_given = Book_default();
    const std::string loud = Environment_get("TINTORA_E2E_LOUD_PAINTER").empty()
                                 ? TINTORA_LOUD_PAINTER
                                 : Environment_get("TINTORA_E2E_LOUD_PAINTER");
    char name[] = "/tmp/tintora-book-loud-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    const fs::path folder = name;
    const fs::path book_copy = folder / book_given.filename();
    fs::copy_file(book_given, book_copy);
    fs::copy_file(loud, folder / ("tintora" + book_given.extension().string()));
    for (const auto& entry : fs::directory_iterator(book_given.parent_path()))
        if (entry.path().extension() == ".dll")
            fs::copy_file(entry.path(), folder / entry.path().filename());
    std::ofstream(own + "/loud.txt") << dragon;
    const bool started = Book_start([&](Program_setup& setup) {
        setup.executable = book_copy.string();
        setup.folder = folder.string();
        setup.environment.push_back({"TINTORA_LOUD_BYTES", "20000000"});
    });
    std::error_code ignored;
    if (!started)
        fs::remove_all(folder, ignored);
    ASSERT_TRUE(started);
    Click(thumb_x + 80, thumb_y + 90);
    // The box's text: "...", seven lines of noise, the last words, a blank
    // line and "Click or press a key to go on.", ten pixels a line.
    const int box_top = 900 - 30 - 10 * 11;
    const bool shown = Wait_until(60, [&] {
        window = Window_find(E2e_shared().watch, book_caption);
        return window && Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }, 0);
    });
    EXPECT_TRUE(shown) << "no message in the book's window; " << Shot_save(book, "message");
    ASSERT_TRUE(Stable_grab(book));
    EXPECT_EQ(Image_at(book, 400, box_top + 5), banner) << Shot_save(book, "message");
    EXPECT_EQ(Image_at(book, 400, box_top - 5), background) << Shot_save(book, "message");
    EXPECT_TRUE(Program_running(run));
    Key(XK_Escape);
    Key(XK_Escape);
    EXPECT_TRUE(Exit_wait(0));
    fs::remove_all(folder, ignored);
}

// What a child colours is kept. The dragon (own, card 1) is coloured in the
// painter the book started: its box's inside with colour 2, the top with
// colour 4, colour 4 left chosen. Back in the book its card shows that
// view, marked; opened again, the painter's first view is the last one,
// pixel for pixel. Delete asks "Start ... again?": Escape keeps it, Enter
// starts it again, uncoloured. A TINTORA_KEEP the book itself was given
// reaches no painter.
TEST_F(Book_window, AColouringIsKeptAndOpensWhereItWasLeft)
{
    std::ofstream(own + "/dragon.txt") << dragon;
    // Under Wine the keeping is the Windows program's, in %APPDATA%; the
    // image goes to the profile's Pictures, which is Wine's, not the test's.
    const bool wine = data.empty();
    const std::string stray = (wine ? fs::path(own).parent_path().string() : data) + "/stray.colouring";
    // The person's Pictures folder, as xdg-user-dir finds it.
    const std::string pictures = data + "/Bilder";
    if (!wine) {
        fs::create_directories(data + "/config");
        std::ofstream(data + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"" << pictures << "\"\n";
    }
    ASSERT_TRUE(Book_start([&](Program_setup& setup) {
        setup.environment.push_back({"TINTORA_KEEP", wine ? Path_windows(stray) : stray});
        if (!wine)
            setup.environment.push_back({"XDG_CONFIG_HOME", data + "/config"});
    }));
    const Cell_place card = Thumb_place(1);
    const Image uncoloured = Image_reduce(Screen_model_draw(Model_of(dragon)));
    EXPECT_EQ(Thumb_of(book, 1).rgb, uncoloured.rgb) << Shot_save(book, "book-before");

    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    Painter_click(250, 50);    // colour 2
    Painter_click(110, 170);   // square (5, 3), inside the box
    Painter_click(450, 50);    // colour 4
    Painter_click(30, 130);    // square (1, 1), the top
    ASSERT_TRUE(Kept_wait("dragon", {{5, 3, '2'}, {1, 1, '4'}, {20, 2, '4'}})) << File_slurp(Kept_path("dragon"));
    Image left;
    ASSERT_TRUE(Painter_grab(left));
    Screen_model coloured = Model_of(dragon);
    coloured.current = coloured.palette[2];
    Screen_model_fill(coloured, 5, 3);
    coloured.current = coloured.palette[4];
    Screen_model_fill(coloured, 1, 1);
    EXPECT_EQ(left.rgb, Screen_model_draw(coloured).rgb) << Image_differences(Screen_model_draw(coloured), left);
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    EXPECT_EQ(Image_at(book, 400, 890), background) << "a message after a good keep; " << Shot_save(book, "book");
    EXPECT_EQ(Thumb_unmarked(Thumb_of(book, 1)).rgb, Thumb_unmarked(Image_reduce(left)).rgb)
        << "the card is not the view left; " << Shot_save(book, "book-kept");
    EXPECT_EQ(Image_at(book, card.x + thumb_w - 10, card.y + thumb_h - 10), (Rgb8{255, 255, 255}))
        << "no kept mark; " << Shot_save(book, "book-kept");
    EXPECT_EQ(Image_at(book, card.x + thumb_w - 15, card.y + thumb_h - 10), (Rgb8{40, 160, 70}))
        << "no kept mark; " << Shot_save(book, "book-kept");

    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    EXPECT_EQ(painted.rgb, left.rgb) << "the first view is not the last one:\n"
                                     << Image_differences(left, painted) << Shot_save(painted, "reopened");
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    EXPECT_EQ(Folder_names(Colourings()), std::vector<std::string>{"dragon.own.colouring"});

    // I saves it as coloured, the board without the strip, in Pictures/Tintora,
    // named after its title and the day; a second time beside the first.
    Mouse_move(E2e_shared().watch, window, 400, 895);
    Sleep_for(0.5);
    const Image board = Image_crop(left, 0, 100, 800, 800);
    for (const std::string copy : {"", " (2)"}) {
        if (wine)
            break;
        Key(XK_i);
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
            << "nothing said; " << Shot_save(book, "saved");
        const std::vector<std::string> saved = Folder_names(pictures + "/Tintora");
        ASSERT_EQ(saved.size(), copy.empty() ? 1u : 2u);
        // Sorted, "... (2).png" comes before "....png".
        const std::string name = saved.front();
        EXPECT_TRUE(name.starts_with("A dragon of my own 2") && name.ends_with(copy + ".png")) << name;
        const Image image = Png_read(pictures + "/Tintora/" + name);
        EXPECT_EQ(image.rgb, board.rgb) << "the image is not the board as coloured";
        Key(XK_Down);   // takes the message away only
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }));
    }

    // Delete asks; Escape answers no and the book stays.
    Mouse_move(E2e_shared().watch, window, 400, 895);
    Sleep_for(0.5);
    Key(XK_Delete);
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
        << "no question; " << Shot_save(book, "question");
    Key(XK_Escape);
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }))
        << Shot_save(book, "question-gone");
    EXPECT_TRUE(Program_running(run));
    EXPECT_TRUE(fs::exists(Kept_path("dragon")));
    // Delete and Enter: started again, uncoloured in the book and the painter.
    Key(XK_Delete);
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
        << "no question; " << Shot_save(book, "question");
    Key(XK_Return);
    EXPECT_TRUE(Book_shows([&](const Image& shot) { return Thumb_of(shot, 1).rgb == uncoloured.rgb; }))
        << "not uncoloured; " << Shot_save(book, "started-again");
    EXPECT_FALSE(fs::exists(Kept_path("dragon")));
    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    const Image model = Screen_model_draw(Model_of(dragon));
    EXPECT_EQ(painted.rgb, model.rgb) << Image_differences(model, painted);
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_FALSE(fs::exists(stray)) << "the painter was given the book's own TINTORA_KEEP";
}

// With only a mouse: the card under the pointer shows its buttons, "Save
// image" always and "Start again" once a colouring is kept. Save image
// saves the board as coloured; Start again asks, and the question's No
// keeps the colouring, its Yes starts the picture again, uncoloured in the
// book and in the painter. A click in the question's box beside the
// buttons answers nothing.
TEST_F(Book_window, ThePointersCardHasButtonsToStartAgainAndToSave)
{
    std::ofstream(own + "/dragon.txt") << dragon;
    const std::string pictures = data.empty() ? "" : data + "/Bilder";
    ASSERT_TRUE(Book_start([&](Program_setup& setup) {
        if (!data.empty()) {
            fs::create_directories(data + "/config");
            std::ofstream(data + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"" << pictures << "\"\n";
            setup.environment.push_back({"XDG_CONFIG_HOME", data + "/config"});
        }
    }));
    const Cell_place card = Thumb_place(1);
    const Image uncoloured = Image_reduce(Screen_model_draw(Model_of(dragon)));
    const auto buttons_shown = [&](bool upper) {
        return [&, upper](const Image& shot) {
            return Image_at(shot, card.x + 8, card.y + print_button_y) == button_face &&
                   Image_at(shot, card.x + 8, card.y + save_button_y) == button_face &&
                   (Image_at(shot, card.x + 8, card.y + again_button_y) == button_face) == upper;
        };
    };
    const auto pointer_to_card = [&] { Mouse_move(E2e_shared().watch, window, card.x + 80, card.y + 40); };
    const auto pointer_away = [&] { Mouse_move(E2e_shared().watch, window, 400, 50); };
    // No buttons until the pointer is on the card; then Save image alone.
    EXPECT_EQ(Thumb_of(book, 1).rgb, uncoloured.rgb) << Shot_save(book, "no-pointer");
    pointer_to_card();
    EXPECT_TRUE(Book_shows(buttons_shown(false))) << "no Save image alone; " << Shot_save(book, "pointer-uncoloured");
    Shot_save(book, "pointer-uncoloured");

    // Coloured in the painter, and kept.
    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    Painter_click(250, 50);
    Painter_click(110, 170);
    ASSERT_TRUE(Kept_wait("dragon", {{5, 3, '2'}})) << File_slurp(Kept_path("dragon"));
    Image left;
    ASSERT_TRUE(Painter_grab(left));
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    EXPECT_TRUE(Book_shows([&](const Image& shot) {
        return Thumb_unmarked(Thumb_of(shot, 1)).rgb == Thumb_unmarked(Image_reduce(left)).rgb;
    })) << "the card is not the view left; " << Shot_save(book, "kept");
    pointer_to_card();
    EXPECT_TRUE(Book_shows(buttons_shown(true))) << "no Start again and Save image; " << Shot_save(book, "pointer-kept");
    Shot_save(book, "pointer-kept");

    if (!pictures.empty()) {
        Click(card.x + button_x, card.y + save_button_y);
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
            << "nothing said; " << Shot_save(book, "saved");
        EXPECT_EQ(Window_find(E2e_shared().watch, "Tintora"), 0ul) << "the press opened the painter";
        const std::vector<std::string> saved = Folder_names(pictures + "/Tintora");
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_TRUE(saved.front().starts_with("A dragon of my own 2")) << saved.front();
        const Image image = Png_read(pictures + "/Tintora/" + saved.front());
        EXPECT_EQ(image.rgb, Image_crop(left, 0, 100, 800, 800).rgb) << "the image is not the board as coloured";
        Click(400, 450);   // takes the message away only
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }));
    }

    // Start again, then No: the question goes, the colouring stays.
    pointer_to_card();
    ASSERT_TRUE(Book_shows(buttons_shown(true))) << Shot_save(book, "pointer-kept-again");
    Click(card.x + button_x, card.y + again_button_y);
    const auto asked = [](const Image& shot) {
        return Image_at(shot, 400, 890) == banner && Image_at(shot, yes_x, answer_y - 10) == button_face &&
               Image_at(shot, no_x, answer_y - 10) == button_face;
    };
    EXPECT_TRUE(Book_shows(asked)) << "no question with Yes and No; " << Shot_save(book, "question");
    Shot_save(book, "question");
    Click(100, 885);   // the box, beside the answers
    Sleep_for(0.5);
    EXPECT_TRUE(Book_shows(asked, 0)) << "a click beside the answers took the question away";
    Click(no_x, answer_y);
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }))
        << Shot_save(book, "answered-no");
    EXPECT_TRUE(fs::exists(Kept_path("dragon")));
    pointer_away();
    EXPECT_TRUE(Book_shows([&](const Image& shot) {
        return Thumb_unmarked(Thumb_of(shot, 1)).rgb == Thumb_unmarked(Image_reduce(left)).rgb;
    })) << "not coloured after No; " << Shot_save(book, "answered-no");

    // Start again, then Yes: uncoloured, and Save image alone once more.
    pointer_to_card();
    ASSERT_TRUE(Book_shows(buttons_shown(true))) << Shot_save(book, "pointer-kept-third");
    Click(card.x + button_x, card.y + again_button_y);
    EXPECT_TRUE(Book_shows(asked)) << "no question; " << Shot_save(book, "question-again");
    Click(yes_x, answer_y);
    pointer_away();
    EXPECT_TRUE(Book_shows([&](const Image& shot) { return Thumb_of(shot, 1).rgb == uncoloured.rgb; }))
        << "not uncoloured; " << Shot_save(book, "answered-yes");
    EXPECT_FALSE(fs::exists(Kept_path("dragon")));
    pointer_to_card();
    EXPECT_TRUE(Book_shows(buttons_shown(false))) << "Start again still offered; " << Shot_save(book, "started-again");
    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    const Image model = Screen_model_draw(Model_of(dragon));
    EXPECT_EQ(painted.rgb, model.rgb) << Image_differences(model, painted);
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stderr(run), "");
}

// The page to print as a person sees it made: P writes it into
// Pictures/Tintora on the person's paper, hands it to the desktop's viewer
// (here a stand-in xdg-open first on PATH that writes down what it was
// given) and says so on the message line. The page shows the picture as
// coloured; with a kept colouring that is garbage, uncoloured, and the
// message line says so too.
TEST_F(Book_window, PPrintsThePageAndHandsItToTheViewer)
{
    if (data.empty())
        GTEST_SKIP() << "xdg-open and the Linux data folder";
    std::ofstream(own + "/dragon.txt") << dragon;
    std::ofstream(own + "/spoilt.txt") << dragon;
    const std::string pictures = data + "/Bilder";
    fs::create_directories(data + "/config");
    std::ofstream(data + "/config/user-dirs.dirs") << "XDG_PICTURES_DIR=\"" << pictures << "\"\n";
    const std::string opened = data + "/opened";
    fs::create_directories(data + "/bin");
    std::ofstream(data + "/bin/xdg-open") << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << opened << "'\n";
    fs::permissions(data + "/bin/xdg-open", fs::perms::owner_all);
    // The book passes its own PATH on to what it starts.
    const std::string path_before = Environment_get("PATH");
    setenv("PATH", (data + "/bin:" + path_before).c_str(), 1);
    const ::testing::AssertionResult started = Book_start([&](Program_setup& setup) {
        setup.environment.push_back({"XDG_CONFIG_HOME", data + "/config"});
        setup.environment.push_back({"PAPERSIZE", "letter"});
    });
    setenv("PATH", path_before.c_str(), 1);
    ASSERT_TRUE(started);

    // Box inside coloured with colour 2 (0, 0, 200-ish blue).
    Click(Thumb_place(1).x + 80, Thumb_place(1).y + 90);
    ASSERT_TRUE(Painter_wait());
    Painter_click(250, 50);
    Painter_click(110, 170);
    ASSERT_TRUE(Kept_wait("dragon", {{5, 3, '2'}})) << File_slurp(Kept_path("dragon"));
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    std::string garbage(700, '\0');
    for (std::size_t k = 0; k < garbage.size(); ++k)
        garbage[k] = static_cast<char>((k * 131 + 7) % 256);
    std::ofstream(data + "/tintora/colourings/spoilt.own.colouring") << garbage;

    struct Case {
        const char* name;
        int index;
        Rgb8 inside;   // square (5, 3) on the page
        const char* title;
        bool by_button;   // the card's Print button rather than P
    };
    const Case cases[] = {{"dragon", 1, {30, 30, 200}, "A dragon of my own", false},
                          {"spoilt", 2, {255, 255, 255}, "A dragon of my own", true}};
    std::vector<std::string> pages;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mouse_move(E2e_shared().watch, window, 400, 895);
        Sleep_for(0.5);
        if (c.index == 2)
            Key(XK_Right);
        ASSERT_TRUE(Book_shows([&](const Image& shot) {
            const Cell_place at = Thumb_place(c.index);
            return Image_at(shot, at.x - 4, at.y + 90) == selection;
        })) << Shot_save(book, "selected");
        if (c.by_button) {
            const Cell_place card = Thumb_place(c.index);
            Mouse_move(E2e_shared().watch, window, card.x + 80, card.y + 40);
            ASSERT_TRUE(Book_shows([&](const Image& shot) {
                return Image_at(shot, card.x + 8, card.y + print_button_y) == button_face;
            })) << "no Print button; " << Shot_save(book, "print-button");
            Click(card.x + button_x, card.y + print_button_y);
        } else {
            Key(XK_p);
        }
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
            << "nothing said; " << Shot_save(book, "printed");
        Shot_save(book, std::string("printed-") + c.name);
        // The viewer runs on its own: its note may come after the message.
        ASSERT_TRUE(Wait_until(30, [&] {
            const std::string lines = File_slurp(opened);
            return std::count(lines.begin(), lines.end(), '\n') == static_cast<long>(pages.size() + 1);
        })) << File_slurp(opened);
        const std::string all = File_slurp(opened);
        const std::string page = all.substr(all.rfind('\n', all.size() - 2) == std::string::npos
                                                ? 0
                                                : all.rfind('\n', all.size() - 2) + 1);
        pages.push_back(page.substr(0, page.size() - 1));
        const std::string& pdf = pages.back();
        EXPECT_EQ(fs::path(pdf).parent_path(), fs::path(pictures + "/Tintora"));
        EXPECT_TRUE(fs::path(pdf).filename().string().starts_with(std::string(c.title) + " 2")) << pdf;
        EXPECT_EQ(fs::path(pdf).extension(), ".pdf");
        ASSERT_TRUE(fs::is_regular_file(pdf)) << pdf;

        const std::string shown = data + "/page-" + c.name;
        ASSERT_EQ(std::system(("pdfinfo '" + pdf + "' > '" + shown + ".info'").c_str()), 0);
        EXPECT_NE(File_slurp(shown + ".info").find("612 x 792 pts (letter)"), std::string::npos)
            << File_slurp(shown + ".info");
        ASSERT_EQ(std::system(("pdftoppm -r 72 -png -singlefile '" + pdf + "' '" + shown + "'").c_str()), 0);
        const Image rendered = Png_read(shown + ".png");
        ASSERT_EQ(rendered.width, 612);
        ASSERT_EQ(rendered.height, 792);
        // Letter: the board is 540 points wide from (36, 84), 13.5 a square.
        const auto square = [&](int i, int j) { return Image_at(rendered, 36 + i * 27 / 2 + 7, 84 + j * 27 / 2 + 7); };
        EXPECT_EQ(square(5, 3), c.inside);
        EXPECT_EQ(square(3, 2), (Rgb8{0, 0, 0})) << "an outline";
        EXPECT_EQ(square(0, 0), (Rgb8{0, 0, 0})) << "the ring";
        EXPECT_EQ(square(1, 1), (Rgb8{255, 255, 255})) << "never coloured";
        Key(XK_Down);   // takes the message away only
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }));
    }
    EXPECT_EQ(Folder_names(pictures + "/Tintora").size(), 2u);
    EXPECT_NE(pages[0], pages[1]) << "the second page is beside the first";
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

// A painter killed outright (kill -9) after two fills has kept both.
TEST_F(Book_window, TwoFillsSurviveAPainterKilledOutright)
{
    std::ofstream(own + "/dragon.txt") << dragon;
    ASSERT_TRUE(Book_start());
    const Cell_place card = Thumb_place(1);
    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    Painter_click(150, 50);    // colour 1
    Painter_click(110, 170);   // the box's inside
    Painter_click(350, 50);    // colour 3
    Painter_click(30, 130);    // the top
    ASSERT_TRUE(Kept_wait("dragon", {{5, 3, '1'}, {1, 1, '3'}, {20, 2, '3'}})) << File_slurp(Kept_path("dragon"));
    Image left;
    ASSERT_TRUE(Painter_grab(left));
    if (run.windows) {
        // Windows' own kill: taskkill /F ends the painter's process at once
        // (TerminateProcess), as the Task Manager's End task does. The
        // painter is a Windows process of its own, no child of the book's
        // launcher, so it goes by its image name, the only tintora.exe.
        std::string command;
        for (const std::string& word : Program_launcher())
            command += word + " ";
        ASSERT_EQ(std::system((command + "taskkill /F /IM tintora.exe >/dev/null 2>&1").c_str()), 0);
    } else {
        const pid_t painter_pid = Painter_pid();
        ASSERT_GT(painter_pid, 0);
        ASSERT_EQ(kill(painter_pid, SIGKILL), 0);
    }
    if (run.windows) {
        // Wine's taskkill passes exit code 0 to TerminateProcess: an end
        // the book cannot tell from a quit, so it has nothing to say.
        ASSERT_TRUE(Book_wait());
    } else {
        // The book says the painter ended badly; a click takes that away.
        const bool shown = Wait_until(30, [&] {
            window = Window_find(E2e_shared().watch, book_caption);
            return window && Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }, 0);
        });
        EXPECT_TRUE(shown) << Shot_save(book, "killed");
    }
    Click(400, 450);
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }));
    EXPECT_EQ(Thumb_unmarked(Thumb_of(book, 1)).rgb, Thumb_unmarked(Image_reduce(left)).rgb)
        << Shot_save(book, "book-kept");
    Click(card.x + 80, card.y + 90);
    ASSERT_TRUE(Painter_wait());
    EXPECT_EQ(painted.rgb, left.rgb) << Image_differences(left, painted) << Shot_save(painted, "reopened");
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

// Kept colourings that cannot be used: one of a picture changed since (an
// outline more), one cut short, one of garbage. Each card and each painter
// shows its picture uncoloured, and the book says why after the painter.
TEST_F(Book_window, AColouringThatCannotBeUsedOpensUncolouredWithAMessage)
{
    std::ofstream(own + "/a.txt") << dragon;
    std::ofstream(own + "/b.txt") << dragon;
    std::ofstream(own + "/c.txt") << dragon;
    ASSERT_TRUE(Book_start());
    // A colouring of a, kept by the painter, for a picture changed below.
    Click(Thumb_place(1).x + 80, Thumb_place(1).y + 90);
    ASSERT_TRUE(Painter_wait());
    Painter_click(110, 170);
    ASSERT_TRUE(Kept_wait("a", {{5, 3, '0'}}));
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));

    std::string changed = dragon;
    changed.replace(changed.find("  x      x"), 10, "  x  x   x");
    std::ofstream(own + "/a.txt") << changed;
    const std::string good = File_slurp(Kept_path("a"));
    std::ofstream(Kept_path("b")) << good.substr(0, good.size() / 2);
    std::string garbage(1500, '\0');
    for (std::size_t k = 0; k < garbage.size(); ++k)
        garbage[k] = static_cast<char>((k * 131 + 7) % 256);
    std::ofstream(Kept_path("c")) << garbage;

    ASSERT_TRUE(Book_start());
    struct Case {
        const char* name;
        int index;
        const std::string& text;
    };
    for (const Case& c : {Case{"a", 1, changed}, Case{"b", 2, dragon}, Case{"c", 3, dragon}}) {
        SCOPED_TRACE(c.name);
        const Image model = Screen_model_draw(Model_of(c.text));
        EXPECT_EQ(Thumb_of(book, c.index).rgb, Image_reduce(model).rgb) << Shot_save(book, "book");
        Click(Thumb_place(c.index).x + 80, Thumb_place(c.index).y + 90);
        ASSERT_TRUE(Painter_wait());
        EXPECT_EQ(painted.rgb, model.rgb) << Image_differences(model, painted);
        Painter_key(XK_Escape);
        ASSERT_TRUE(Book_wait());
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
            << "no message; " << Shot_save(book, "message");
        Click(400, 450);
        EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == background; }));
    }
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Program_stderr(run), "");
}

// The painter started on its own, by its picture's name, keeps nothing: a
// home and data folder given to it stay empty after fills and a quit.
TEST_F(Book_window, ThePainterOnItsOwnWritesNothing)
{
    if (data.empty())
        GTEST_SKIP() << "a Linux home folder";
    const std::string home = data + "/home";
    fs::create_directories(home);
    fs::remove_all(own);
    Program_setup setup;
    setup.picture = dragon;
    setup.environment = {{"HOME", home}, {"XDG_DATA_HOME", data}};
    ASSERT_TRUE(Start(setup));
    Click(250, 50);
    Click(110, 170);
    Click(30, 130);
    Screen_model coloured = Model_of(dragon);
    coloured.current = coloured.palette[2];
    ASSERT_GT(Screen_model_fill(coloured, 5, 3), 0);
    ASSERT_GT(Screen_model_fill(coloured, 1, 1), 0);
    ASSERT_TRUE(Screen_wait(Screen_model_draw(coloured), "coloured"));
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
    EXPECT_EQ(Folder_names(home), std::vector<std::string>{});
    EXPECT_EQ(Folder_names(data), (std::vector<std::string>{"home", "tintora"}));
    EXPECT_EQ(Folder_names(data + "/tintora"), std::vector<std::string>{});
    EXPECT_EQ(Program_stderr(run), "");
}

// Keeping that fails (the colourings folder removed while the painter
// runs) never stops the colouring: the fill is there, and the book says
// afterwards what could not be kept.
TEST_F(Book_window, AColouringThatCannotBeKeptLeavesThePainterColouringAndIsSaid)
{
    std::ofstream(own + "/dragon.txt") << dragon;
    ASSERT_TRUE(Book_start());
    Click(Thumb_place(1).x + 80, Thumb_place(1).y + 90);
    ASSERT_TRUE(Painter_wait());
    fs::remove_all(Colourings());
    Painter_click(250, 50);
    Painter_click(110, 170);
    Screen_model coloured = Model_of(dragon);
    coloured.current = coloured.palette[2];
    Screen_model_fill(coloured, 5, 3);
    const Image expected = Screen_model_draw(coloured);
    const X_window book_window = window;
    window = painter;
    EXPECT_TRUE(Screen_wait(expected, "not-kept"));
    window = book_window;
    Painter_key(XK_Escape);
    ASSERT_TRUE(Book_wait());
    EXPECT_TRUE(Book_shows([](const Image& shot) { return Image_at(shot, 400, 890) == banner; }))
        << "nothing said; " << Shot_save(book, "not-kept");
    EXPECT_TRUE(Program_running(run));
    EXPECT_FALSE(fs::exists(Kept_path("dragon")));
    Key(XK_Escape);
    Key(XK_Escape);
    ASSERT_TRUE(Exit_wait(0));
}

}  // namespace
