// Tracing: libpng's simplified reader turns any PNG (palette, grey, colour,
// alpha on white) into 8-bit grey.
#include "draw/trace_image.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <png.h>

Trace_image Trace_image_load(const std::string& path, std::string& why)
{
    Trace_image image;
    std::ifstream in(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    if (!in) {
        why = "cannot read " + path;
        return image;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) {
        why = path + " is not a PNG image: " + png.message;
        return image;
    }
    png.format = PNG_FORMAT_GRAY;
    if (png.width == 0 || png.height == 0 || png.width > 8192 || png.height > 8192) {
        png_image_free(&png);
        why = path + " is larger than 8192 x 8192 pixels";
        return image;
    }
    image.grey.resize(PNG_IMAGE_SIZE(png));
    // Transparent parts are taken on white paper.
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, image.grey.data(), 0, nullptr)) {
        why = path + ": " + png.message;
        image.grey.clear();
        return image;
    }
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    return image;
}

std::uint8_t Trace_grey_at(const Trace_image& image, int x, int y)
{
    if (image.grey.empty())
        return 255;
    // Scaled to fit the board, its shape kept, centred.
    const int side = WIDTH;
    const double scale = std::min(static_cast<double>(side) / image.width, static_cast<double>(side) / image.height);
    const double left = (side - image.width * scale) / 2, top = (side - image.height * scale) / 2;
    const int ix = static_cast<int>((x + 0.5 - left) / scale), iy = static_cast<int>((y + 0.5 - top) / scale);
    if (x + 0.5 < left || y + 0.5 < top || ix >= image.width || iy >= image.height)
        return 255;
    return image.grey[static_cast<std::size_t>(iy) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(ix)];
}

double Trace_dark_share(const Trace_image& image, int i, int j)
{
    int dark = 0;
    for (int y = 0; y < squaresize; ++y)
        for (int x = 0; x < squaresize; ++x)
            dark += Trace_grey_at(image, i * squaresize + x, j * squaresize + y) < 128;
    return static_cast<double>(dark) / (squaresize * squaresize);
}

Edit Trace_outline_propose(Drawing& drawing, const Trace_image& image)
{
    Edit edit;
    for (int i = 1; i < squarecount - 1; ++i)
        for (int j = 1; j < squarecount - 1; ++j)
            if (Trace_dark_share(image, i, j) > 0.5)
                Edit_square_set(drawing, edit, i, j, bordercolour);
    return edit;
}
