// Laying out the contact sheets: a white page, each thumbnail framed in the
// grid of cells, its name and part count written under it in SDL_gfx's own
// 8 x 8 font.
#include "gallery/gallery_sheet.h"
#include <algorithm>
#include <filesystem>
#include <SDL_gfxPrimitives.h>
#include "book/thumbnail.h"

namespace {

constexpr int gap = 12;                           // between cells and round the sheet
constexpr int label_height = 26;                  // two lines of text under each thumbnail
constexpr int cell_width = thumbnail_width;
constexpr int cell_height = thumbnail_height + label_height;
constexpr int sheet_width = gallery_columns * cell_width + (gallery_columns + 1) * gap;

void Text_centred(SDL_Surface* sheet, int centre_x, int y, const std::string& text)
{
    const int width = static_cast<int>(text.size()) * 8;
    stringRGBA(sheet, static_cast<Sint16>(centre_x - width / 2), static_cast<Sint16>(y), text.c_str(), 40, 40, 40,
               255);
}

}  // namespace

SDL_Surface* Gallery_sheet_create(std::span<const Gallery_entry> entries)
{
    if (entries.empty() || entries.size() > static_cast<std::size_t>(gallery_per_sheet))
        return nullptr;
    const int rows = (static_cast<int>(entries.size()) + gallery_columns - 1) / gallery_columns;
    const int sheet_height = rows * cell_height + (rows + 1) * gap;
    SDL_Surface* sheet =
        SDL_CreateRGBSurface(SDL_SWSURFACE, sheet_width, sheet_height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0);
    if (!sheet)
        return nullptr;
    SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, 255, 255, 255));
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const int column = static_cast<int>(k) % gallery_columns;
        const int row = static_cast<int>(k) / gallery_columns;
        const int x = gap + column * (cell_width + gap);
        const int y = gap + row * (cell_height + gap);
        SDL_Surface* thumbnail = entries[k].view ? Thumbnail_reduce(entries[k].view) : nullptr;
        if (!thumbnail) {
            SDL_FreeSurface(sheet);
            return nullptr;
        }
        SDL_Rect at{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(thumbnail, nullptr, sheet, &at);
        SDL_FreeSurface(thumbnail);
        const int centre = x + cell_width / 2;
        Text_centred(sheet, centre, y + thumbnail_height + 4, entries[k].name);
        Text_centred(sheet, centre, y + thumbnail_height + 15,
                     std::to_string(entries[k].regions) + (entries[k].regions == 1 ? " part" : " parts"));
    }
    return sheet;
}

std::vector<std::string> Gallery_names(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& file : std::filesystem::directory_iterator(folder, error))
        if (file.path().extension() == ".txt")
            names.push_back(file.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Gallery_sheet_name(int k)
{
    return "gallery-" + std::to_string(k) + ".png";
}
