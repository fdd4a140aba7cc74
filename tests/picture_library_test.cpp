// The bundled pictures. Each one is read the way its menu entry has the
// program read it (by its name, from the pictures folder) and must read
// without a "WHAT?" line, enclose exactly the regions its author drew, fit
// the board line by line, offer eight distinct colours that all paint, and
// give the checker nothing to warn about.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>
#include <unistd.h>
#include <gtest/gtest.h>
#include "board/colour.h"
#include "board/geometry.h"
#include "board/square.h"
#include <cstring>
#include <png.h>
#include "board/picture_view.h"
#include "check/picture_check.h"
#include "gallery/gallery_sheet.h"
#include "picture_file/file_read.h"
#include "saved_as.h"

namespace {

struct Library_entry {
    const char* name;
    int regions;   // as drawn: every closed area, the background included
};

// From a few big regions for small children to many small ones for older
// children, in that order. A new picture gets its place here with the count
// it was drawn with.
constexpr Library_entry library[] = {
    {"snail", 4}, {"strawberry", 4}, {"jellyfish", 5}, {"whale", 5}, {"apple", 6}, {"starfish", 6},
    {"wizard-hat", 6}, {"aeroplane", 7}, {"cherries", 7}, {"flying-kite", 7}, {"helicopter", 7},
    {"ice-cream", 7}, {"cactus", 8}, {"crab", 8}, {"duck", 8}, {"ghost", 8}, {"ladybird", 8}, {"pig", 8},
    {"snowman", 8}, {"submarine", 8}, {"tent", 8}, {"balloon", 9}, {"bee", 9}, {"car", 9}, {"frog", 9},
    {"moon", 9}, {"pizza", 9}, {"umbrella", 9}, {"crown", 10}, {"cupcake", 10}, {"dog", 10}, {"planet", 10},
    {"pumpkin", 10}, {"sandcastle", 10}, {"sun", 10}, {"cat", 11}, {"leaf", 11}, {"mushroom", 11}, {"ufo", 11},
    {"boat", 12}, {"tulips", 12}, {"windmill", 12}, {"church", 13}, {"lighthouse", 13}, {"rabbit", 13},
    {"tractor", 13}, {"barn", 14}, {"friendly-dragon", 14}, {"tree", 14}, {"christmas-tree", 15},
    {"goldfish", 15}, {"penguin", 15}, {"teapot", 16}, {"train", 16}, {"watermelon", 16}, {"bus", 17},
    {"butterfly", 17}, {"cake", 17}, {"fire-engine", 17}, {"flower", 17}, {"igloo", 18}, {"palm", 18},
    {"robot", 19}, {"owl", 20}, {"sunflower", 21}, {"rocket", 22}, {"treasure", 22}, {"house", 24},
    {"bicycle", 26}, {"castle", 29}, {"turtle", 29}, {"autumn-tree", 40}, {"city", 46}, {"honeycomb", 61},
};

void PrintTo(const Library_entry& entry, std::ostream* out)
{
    *out << entry.name;
}

constexpr int interior = squarecount - 2;   // board columns and rows a grid line can describe

using Board = std::array<Square, squarecount * squarecount>;

std::string Colour_text(Colour c)
{
    return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
}

// A picture as the program started under its name sees it: the board and
// the palette, and what the reader wrote to standard output.
struct Loaded_picture {
    std::string argv0;
    bool read = false;
    Board squares{};
    std::array<Colour, colourcount> colours{};
    std::string report;
};

Loaded_picture Picture_load(const char* name)
{
    Loaded_picture p;
    p.argv0 = std::string("/usr/libexec/tintora/") + name;
    Squares_create(squarecount, p.squares, squaresize, menustrip, defaultcolour, bordercolour);
    ::testing::internal::CaptureStdout();
    p.read = File_read(squarecount, p.squares, colourcount, p.colours, bordercolour, p.argv0.c_str());
    p.report = ::testing::internal::GetCapturedStdout();
    return p;
}

class Picture_library : public ::testing::TestWithParam<Library_entry> {
protected:
    // The menu entry runs the program from the pictures folder.
    void SetUp() override { ASSERT_EQ(chdir(TINTORA_PICTURES_DIR), 0) << TINTORA_PICTURES_DIR; }
};

TEST_P(Picture_library, ReadsCleanlyWithTheRegionsItsAuthorDrew)
{
    const Library_entry& entry = GetParam();
    const Loaded_picture p = Picture_load(entry.name);
    ASSERT_TRUE(p.read) << "started as " << p.argv0 << ", the program does not find its picture";
    EXPECT_EQ(p.report, "") << "the picture has characters the reader does not know";
    EXPECT_EQ(Regions_find(squarecount, p.squares, bordercolour).regions.size(), static_cast<std::size_t>(entry.regions))
        << "an outline is open, or one was added: the regions no longer match the drawing";
}

TEST_P(Picture_library, GivesTheCheckerNothingToWarnAbout)
{
    const Library_entry& entry = GetParam();
    const std::string file = std::string(entry.name) + ".txt";
    const Picture_check check = Picture_check_file(file);
    ASSERT_EQ(check.why, "") << file;
    for (const Diagnostic& d : check.diagnostics)
        EXPECT_EQ(d.severity, Severity::note) << Diagnostic_format(file, d);
    EXPECT_EQ(Picture_status(check), 0);
    EXPECT_EQ(check.regions.regions.size(), static_cast<std::size_t>(entry.regions)) << Picture_summary(file, check);
}

TEST_P(Picture_library, FitsTheBoardLineByLine)
{
    std::ifstream in(std::string(GetParam().name) + ".txt");
    ASSERT_TRUE(in) << GetParam().name;
    std::string line;
    int number = 0;
    int rows = 0;
    while (std::getline(in, line)) {
        if (++number <= colourcount + 1)
            continue;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // A longer line would push every later row one row down.
        const auto cells = std::count_if(line.begin(), line.end(), [](char c) { return c == ' ' || c == 'x'; });
        EXPECT_LE(cells, interior) << "grid line " << number - colourcount - 1 << ": \"" << line << "\"";
        ++rows;
    }
    EXPECT_LE(rows, interior) << "rows after the " << interior << "th are never shown";
}

TEST_P(Picture_library, OffersEightDistinctColoursThatAllPaint)
{
    const Loaded_picture p = Picture_load(GetParam().name);
    ASSERT_TRUE(p.read) << p.argv0;
    for (int k = 0; k < colourcount; ++k) {
        const Colour c = p.colours[static_cast<std::size_t>(k)];
        SCOPED_TRACE("palette entry " + std::to_string(k + 1) + ": " + Colour_text(c));
        for (const auto component : {c.r, c.g, c.b}) {
            EXPECT_GE(component, 0);
            EXPECT_LE(component, 255);
        }
        // The default grey would paint nothing on an uncoloured region; the
        // outline colour would turn a region into outline.
        EXPECT_EQ(Colour_cmp(c, defaultcolour), 0);
        EXPECT_EQ(Colour_cmp(c, bordercolour), 0);
        for (int other = 0; other < k; ++other)
            EXPECT_EQ(Colour_cmp(c, p.colours[static_cast<std::size_t>(other)]), 0)
                << "the same as entry " << other + 1;
    }
}

// Saved as a Windows editor saves it (a UTF-8 mark, UTF-16 either way
// round, each with LF and with CR LF), a picture reads exactly as its plain
// UTF-8 twin: the same board, palette and title, the same diagnostics at
// the same lines and columns, after one note that names the encoding.
TEST_P(Picture_library, ReadsTheSameSavedAsAWindowsEditorSavesIt)
{
    const std::string name = GetParam().name;
    std::ifstream in(name + ".txt", std::ios::binary);
    const std::string plain((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Picture_check want = Picture_check_file(name + ".txt");
    ASSERT_EQ(want.why, "");
    // The title line as the plain file holds it: the line after the palette.
    std::size_t title_start = 0;
    for (int k = 0; k < colourcount; ++k)
        title_start = plain.find('\n', title_start) + 1;
    const std::string want_title = plain.substr(title_start, plain.find('\n', title_start) - title_start);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tintora-saved-as-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::pair<const char*, Saved_as> encodings[] = {
        {"UTF-8 with a mark", Saved_as::utf8_marked}, {"UTF-16 LE", Saved_as::utf16le}, {"UTF-16 BE", Saved_as::utf16be}};
    for (const auto& [label, as] : encodings)
        for (const bool crlf : {false, true}) {
            SCOPED_TRACE(std::string(label) + (crlf ? ", CR LF" : ", LF"));
            const std::string file = (folder / (name + ".txt")).string();
            std::ofstream(file, std::ios::binary) << Saved_text(crlf ? Crlf_of(plain) : plain, as);
            const Picture_check got = Picture_check_file(file);
            ASSERT_EQ(got.why, "");
            for (std::size_t k = 0; k < got.squares.size(); ++k)
                ASSERT_EQ(Colour_cmp(got.squares[k].c, want.squares[k].c), 1) << "square " << k;
            for (std::size_t k = 0; k < got.colours.size(); ++k)
                EXPECT_EQ(Colour_cmp(got.colours[k], want.colours[k]), 1) << "palette entry " << k + 1;
            ASSERT_FALSE(got.diagnostics.empty());
            EXPECT_EQ(got.diagnostics.front().line, 1);
            EXPECT_EQ(got.diagnostics.front().severity, Severity::note);
            EXPECT_TRUE(got.diagnostics.front().message.starts_with("saved as ")) << got.diagnostics.front().message;
            ASSERT_EQ(got.diagnostics.size(), want.diagnostics.size() + 1);
            for (std::size_t k = 0; k < want.diagnostics.size(); ++k)
                EXPECT_EQ(Diagnostic_format("p", got.diagnostics[k + 1]), Diagnostic_format("p", want.diagnostics[k]));
            // The painter's own reading of it, by name.
            Board squares{};
            std::array<Colour, colourcount> colours{};
            Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
            Picture_trace trace;
            ::testing::internal::CaptureStdout();
            EXPECT_EQ(Picture_file_read(file, squarecount, squares, colourcount, colours, bordercolour, stdout, &trace), "");
            EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
            EXPECT_EQ(trace.separator, want_title);
            for (std::size_t k = 0; k < squares.size(); ++k)
                ASSERT_EQ(Colour_cmp(squares[k].c, want.squares[k].c), 1) << "square " << k;
        }
    std::filesystem::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Bundled, Picture_library, ::testing::ValuesIn(library),
                         [](const ::testing::TestParamInfo<Library_entry>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), '-', '_');   // test names take no '-'
                             return name;
                         });

TEST(Picture_folder, HoldsSixtyOrMorePicturesEachWithItsRegionCount)
{
    std::set<std::string> files;
    for (const auto& file : std::filesystem::directory_iterator(TINTORA_PICTURES_DIR))
        if (file.path().extension() == ".txt")
            files.insert(file.path().stem().string());
    std::set<std::string> listed;
    for (const Library_entry& entry : library)
        listed.insert(entry.name);

    for (const std::string& name : files)
        EXPECT_TRUE(listed.count(name)) << name << ".txt has no region count in the library table";
    for (const std::string& name : listed)
        EXPECT_TRUE(files.count(name)) << name << " is in the library table but not in the pictures folder";
    EXPECT_GE(files.size(), 60u);
    // Something for a child of three and something for a child of ten.
    const auto [fewest, most] = std::minmax_element(std::begin(library), std::end(library),
        [](const Library_entry& a, const Library_entry& b) { return a.regions < b.regions; });
    EXPECT_LE(fewest->regions, 8) << fewest->name;
    EXPECT_GE(most->regions, 60) << most->name;
}

// The README's gallery (docs/gallery, made by scripts/gallery) must show
// every picture as it is now: the sheets are drawn again here from the
// pictures folder and compared pixel by pixel, and there are no others.
TEST(Gallery, SheetsShowEveryPictureAsItIsNow)
{
    ASSERT_EQ(chdir(TINTORA_PICTURES_DIR), 0) << TINTORA_PICTURES_DIR;
    const std::string folder = std::string(TINTORA_PICTURES_DIR) + "/../docs/gallery/";
    const std::vector<std::string> names = Gallery_names(".");
    std::set<std::string> sheets_expected;
    for (std::size_t first = 0; first < names.size(); first += gallery_per_sheet) {
        const std::string png_path = folder + Gallery_sheet_name(static_cast<int>(first / gallery_per_sheet) + 1);
        sheets_expected.insert(std::filesystem::path(png_path).filename().string());
        std::vector<Gallery_entry> entries;
        for (std::size_t k = first; k < names.size() && k < first + gallery_per_sheet; ++k) {
            const Picture_check check = Picture_check_file(names[k] + ".txt");
            entries.push_back({names[k], static_cast<int>(check.regions.regions.size()),
                               Picture_view_create(squarecount, check.squares, colourcount, check.colours)});
        }
        SDL_Surface* sheet = Gallery_sheet_create(entries);
        for (Gallery_entry& entry : entries)
            SDL_FreeSurface(entry.view);
        ASSERT_NE(sheet, nullptr);

        png_image png{};
        png.version = PNG_IMAGE_VERSION;
        std::vector<std::uint8_t> rgb;
        if (png_image_begin_read_from_file(&png, png_path.c_str())) {
            png.format = PNG_FORMAT_RGB;
            rgb.resize(PNG_IMAGE_SIZE(png));
            EXPECT_TRUE(png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) << png_path;
        }
        EXPECT_EQ(png.width, static_cast<png_uint_32>(sheet->w)) << png_path << ": run scripts/gallery";
        EXPECT_EQ(png.height, static_cast<png_uint_32>(sheet->h)) << png_path << ": run scripts/gallery";
        if (png.width == static_cast<png_uint_32>(sheet->w) && png.height == static_cast<png_uint_32>(sheet->h)) {
            int differing = 0;
            for (int y = 0; y < sheet->h; ++y)
                for (int x = 0; x < sheet->w; ++x) {
                    std::uint32_t pixel;
                    std::memcpy(&pixel, static_cast<const std::uint8_t*>(sheet->pixels) + y * sheet->pitch + x * 4,
                                sizeof pixel);
                    const std::uint8_t* seen = &rgb[(static_cast<std::size_t>(y) * png.width + x) * 3];
                    differing +=
                        ((std::uint32_t{seen[0]} << 16) | (std::uint32_t{seen[1]} << 8) | seen[2]) != (pixel & 0xFFFFFF);
                }
            EXPECT_EQ(differing, 0) << png_path << " is out of date: run scripts/gallery";
        }
        SDL_FreeSurface(sheet);
    }
    for (const auto& file : std::filesystem::directory_iterator(folder))
        EXPECT_TRUE(sheets_expected.count(file.path().filename().string()))
            << file.path() << " is no sheet of the gallery: run scripts/gallery";
}

}  // namespace
