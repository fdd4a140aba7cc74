// The palette as the C library's formatted input reads it, on every
// platform: each case is a real file read through the C runtime's own
// stream, so the Windows build runs the same table on the Windows C runtime
// (under Wine in scripts/test-windows) as the Linux build on glibc.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "board/geometry.h"
#include "board/square.h"
#include "picture_file/file_read.h"

namespace {

using Palette = std::array<Colour, colourcount>;

// Reads `text` as a picture file's start and returns its palette.
Palette Palette_of(const std::string& text)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "tintora-palette-test.txt";
    std::ofstream(path, std::ios::binary) << text;
    std::array<Square, squarecount * squarecount> squares{};
    Squares_create(squarecount, squares, squaresize, menustrip, defaultcolour, bordercolour);
    Palette colours;
    colours.fill(Colour{-7, -7, -7});
    std::FILE* in = std::fopen(path.string().c_str(), "r");
    std::FILE* report = std::tmpfile();
    if (in && report)
        Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, report);
    if (in)
        std::fclose(in);
    if (report)
        std::fclose(report);
    std::filesystem::remove(path);
    return colours;
}

const std::string palette8 = "1,1,1\n2,2,2\n3,3,3\n4,4,4\n5,5,5\n6,6,6\n7,7,7\n8,8,8\n";

TEST(Palette, IsReadAsTheFormattedInputReadsIt)
{
    struct Case {
        const char* name;
        std::string text;
        std::vector<Colour> colours;   // the first entries; every later one must be 0, 0, 0
    };
    const std::vector<Case> cases = {
        {"plain lines", palette8, {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}, {8, 8, 8}}},
        {"blanks after commas", "10, 20, 30\n" + palette8,
         {{10, 20, 30}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}}},
        // The blank before the comma is dropped after 10; the next entry stops
        // at the comma and drops it; the one after reads 20 and 30.
        {"blank before a comma shifts the rest", "10 ,20,30\n1,1,1\n", {{10, 0, 0}, {0, 0, 0}, {20, 30, 0}, {1, 1, 1}}},
        {"signs and leading zeros", "-5,+6,007\n", {{-5, 6, 7}}},
        {"sixteen-bit limits", "32767,-32768,0\n", {{32767, -32768, 0}}},
        {"outside sixteen bits keeps the low bits", "70000,65535,-70000\n", {{4464, -1, -4464}}},
        // Past 32 bits the low 16 bits are still kept: the Windows C
        // runtime's "%hd" would stop at the 32-bit limits first.
        {"outside thirty-two bits keeps the low bits", "4294967297,2147483648,-2147483649\n", {{1, 0, -1}}},
        {"up to the sixty-four-bit limits", "9223372036854775807,-9223372036854775807,4294967296\n", {{-1, 1, 0}}},
        {"beyond sixty-four bits", "99999999999999999999,-99999999999999999999,1\n", {{-1, 0, 1}}},
        {"several entries on one line", "1,2,3 4,5,6\n", {{1, 2, 3}, {4, 5, 6}}},
        {"an entry over several lines", "1,\n2,\n 3\n4,4,4\n", {{1, 2, 3}, {4, 4, 4}}},
        {"empty file", "", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"short palette", "9,9,9\n", {{9, 9, 9}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    };
    for (const Case& c : cases) {
        const Palette got_all = Palette_of(c.text);
        ASSERT_LE(c.colours.size(), got_all.size()) << c.name;
        for (std::size_t k = 0; k < got_all.size(); ++k) {
            const Colour want = k < c.colours.size() ? c.colours[k] : Colour{0, 0, 0}, got = got_all[k];
            EXPECT_EQ(Colour_cmp(got, want), 1) << c.name << ", entry " << k << ": read " << got.r << "," << got.g
                                                << "," << got.b << ", expected " << want.r << "," << want.g << ","
                                                << want.b;
        }
    }
}

}  // namespace
