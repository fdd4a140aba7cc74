// PNG files from surfaces, by libpng's simplified writing interface: the
// surface's pixels are unpacked row by row into RGB bytes first.
#include "check/png_write.h"
#include <cerrno>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <vector>
#include <png.h>
#include "check/file_names.h"
#include "language/language.h"

std::string Surface_png_write(SDL_Surface* surface, const std::string& path)
{
    const int width = surface->w;
    const int height = surface->h;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    if (SDL_LockSurface(surface) != 0)
        return SDL_GetError();
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel;
            std::memcpy(&pixel, row + x * 4, sizeof pixel);
            std::uint8_t* out = &rgb[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3];
            SDL_GetRGB(pixel, surface->format, &out[0], &out[1], &out[2]);
        }
    }
    SDL_UnlockSurface(surface);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    std::FILE* out = Output_file_open(path);
    if (!out)
        return std::strerror(errno);
    const bool written = png_image_write_to_stdio(&image, out, 0, rgb.data(), width * 3, nullptr) != 0;
    const bool closed = std::fclose(out) == 0;
    if (!written) {
        std::string why = image.message[0] ? image.message : _("libpng could not write it");
        png_image_free(&image);
        return why;
    }
    return closed ? "" : std::strerror(errno);
}
