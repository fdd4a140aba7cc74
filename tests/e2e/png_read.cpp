// libpng's simplified reading, which converts any PNG to 8-bit RGB.
#include "png_read.h"
#include <png.h>

Image Png_read(const std::string& path)
{
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    Image image;
    if (!png_image_begin_read_from_file(&png, path.c_str()))
        return image;
    png.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(png.width);
    image.height = static_cast<int>(png.height);
    image.rgb.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, image.rgb.data(), 0, nullptr))
        image = Image{};
    return image;
}
