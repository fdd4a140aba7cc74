// Tracing: libpng's simplified reader turns any PNG (palette, grey, colour,
// alpha on white) into 8-bit grey. What the person names is looked at
// before it is read: only an ordinary file is opened (a pipe would wait
// for ever, a device never end), its first bytes must be a PNG's, and its
// header must give a size worth tracing. libpng then reads the file as a
// stream, one row at a time, so that memory stays near the image's own
// size however large the file.
#include "draw/trace_image.h"
#include <algorithm>
#include <memory>
#include <png.h>
#include "picture_file/file_open.h"

namespace {

// Wider or taller than any drawing to trace needs: the board shows 800 x
// 800 pixels. At most 64 MiB of grey.
constexpr png_uint_32 side_limit = 8192;

struct File_close {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

Trace_image Trace_image_load(const std::string& path, std::string& why)
{
    Trace_image image;
    const std::string named = "the drawing to trace \"" + path + "\"";
    std::string refused;
    const std::unique_ptr<std::FILE, File_close> in(Regular_file_open(path, "a PNG image", refused));
    if (!in) {
        why = "cannot read " + named + ": " + refused;
        return image;
    }
    png_byte signature[8];
    if (std::fread(signature, 1, sizeof signature, in.get()) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0) {
        why = named + " is not a PNG image: it does not begin as one does";
        return image;
    }
    std::rewind(in.get());
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_stdio(&png, in.get())) {
        why = named + " cannot be read as a PNG image: " + png.message;
        return image;
    }
    if (png.width > side_limit || png.height > side_limit) {
        png_image_free(&png);
        why = named + " is larger than 8192 x 8192 pixels: " + std::to_string(png.width) + " x " +
              std::to_string(png.height);
        return image;
    }
    png.format = PNG_FORMAT_GRAY;
    image.grey.resize(PNG_IMAGE_SIZE(png));
    // Transparent parts are taken on white paper.
    png_color white{255, 255, 255};
    if (!png_image_finish_read(&png, &white, image.grey.data(), 0, nullptr)) {
        why = named + " cannot be read as a PNG image: " + png.message;
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
