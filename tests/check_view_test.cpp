// tintora-check's pictures: the region view tints each region a colour of
// its own and rings the tiny ones over the very view the window shows, and
// the PNG writer keeps every pixel. Drawn off screen, no display needed.
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>
#include <png.h>
#include <gtest/gtest.h>
#include "board/picture_view.h"
#include "check/picture_check.h"
#include "check/png_write.h"
#include "check/region_view.h"

namespace {

std::uint32_t Pixel(SDL_Surface* s, int x, int y)
{
    std::uint32_t p;
    std::memcpy(&p, static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch + x * 4, sizeof p);
    return p & 0xFFFFFF;
}

class Check_view : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = std::filesystem::temp_directory_path() / ("tintora-check-view-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        // Three regions: the outside, a box's inside, and one square.
        const std::string text = "230,57,70\n255,183,3\n33,158,188\n106,176,76\n244,162,97\n142,90,60\n"
                                 "255,255,255\n0,0,0\nboxes\n\n xxxxx     xxx\n x   x     x x\n xxxxx     xxx\n";
        std::ofstream(folder / "p.txt", std::ios::binary) << text;
        check = Picture_check_file((folder / "p.txt").string());
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    std::filesystem::path folder;
    Picture_check check;
};

TEST_F(Check_view, TintsEachRegionItsOwnColourAndRingsTheTinyOnes)
{
    ASSERT_EQ(check.why, "");
    ASSERT_EQ(check.regions.regions.size(), 3u);
    SDL_Surface* regions = Region_view_create(check);
    SDL_Surface* preview = Picture_view_create(squarecount, check.squares, colourcount, check.colours);
    ASSERT_TRUE(regions && preview);

    for (int y = 0; y < menustrip; ++y)
        for (int x = 0; x < WIDTH; ++x)
            ASSERT_EQ(Pixel(regions, x, y), Pixel(preview, x, y)) << "the toolbar differs at " << x << ", " << y;

    std::map<int, std::uint32_t> tint;   // region -> the colour its squares show
    for (int i = 0; i < squarecount; ++i)
        for (int j = 0; j < squarecount; ++j) {
            const Square& s = check.squares[static_cast<std::size_t>(i * squarecount + j)];
            const std::uint32_t seen = Pixel(regions, s.x + squaresize / 2, s.y + squaresize / 2);
            const int region = check.regions.of[static_cast<std::size_t>(i * squarecount + j)];
            if (region < 0) {
                EXPECT_EQ(seen, 0x141414u) << "outline square " << i << ", " << j;
                continue;
            }
            const auto [known, added] = tint.emplace(region, seen);
            EXPECT_EQ(known->second, seen) << "square " << i << ", " << j << " is not tinted as its region";
        }
    std::set<std::uint32_t> distinct;
    for (const auto& [region, colour] : tint) {
        distinct.insert(colour);
        EXPECT_NE(colour, 0x141414u);
        EXPECT_NE(colour, 0xC8C8C8u) << "a region left in the starting grey";
    }
    EXPECT_EQ(distinct.size(), 3u) << "two regions share a tint";

    // The one-square region at (13, 3) is ringed in red, right of its centre.
    const Square& tiny = check.squares[static_cast<std::size_t>(13 * squarecount + 3)];
    EXPECT_EQ(check.regions.of[static_cast<std::size_t>(13 * squarecount + 3)], 2);
    EXPECT_EQ(Pixel(regions, tiny.x + squaresize / 2 + 14, tiny.y + squaresize / 2), 0xFF0000u);
    EXPECT_EQ(Pixel(preview, tiny.x + squaresize / 2 + 14, tiny.y + squaresize / 2), 0x141414u)
        << "the outline beside it, unringed";
    SDL_FreeSurface(regions);
    SDL_FreeSurface(preview);
}

TEST_F(Check_view, WritesAPngThatReadsBackPixelForPixel)
{
    SDL_Surface* view = Region_view_create(check);
    ASSERT_TRUE(view);
    const std::string path = (folder / "view.png").string();
    ASSERT_EQ(Surface_png_write(view, path), "");

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&png, path.c_str()));
    png.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(png));
    ASSERT_TRUE(png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr));
    ASSERT_EQ(png.width, static_cast<png_uint_32>(WIDTH));
    ASSERT_EQ(png.height, static_cast<png_uint_32>(HEIGHT));
    for (int y = 0; y < HEIGHT; ++y)
        for (int x = 0; x < WIDTH; ++x) {
            const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * WIDTH + x) * 3];
            ASSERT_EQ((std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2], Pixel(view, x, y))
                << x << ", " << y;
        }
    SDL_FreeSurface(view);

    SDL_Surface* again = Region_view_create(check);
    EXPECT_NE(Surface_png_write(again, (folder / "no-such-folder" / "x.png").string()), "")
        << "a PNG that cannot be written must say so";
    SDL_FreeSurface(again);
}

}  // namespace
