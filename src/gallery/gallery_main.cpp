// tintora-gallery FOLDER OUT: draws the contact sheets of the pictures in
// FOLDER into OUT/gallery-1.png, gallery-2.png, ... (scripts/gallery runs it
// for the README's gallery). Each picture is read as the painter reads it,
// from FOLDER as the working directory, and counted by the checker.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <SDL.h>
#include "board/geometry.h"
#include "board/picture_view.h"
#include "check/picture_check.h"
#include "check/png_write.h"
#include "gallery/gallery_sheet.h"

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: tintora-gallery PICTURES-FOLDER OUT-FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    const std::vector<std::string> names = Gallery_names(argv[1]);
    std::error_code error;
    std::filesystem::current_path(argv[1], error);
    if (error || names.empty()) {
        std::fprintf(stderr, "tintora-gallery: no pictures in %s\n", argv[1]);
        return 1;
    }
    int status = 0;
    for (std::size_t first = 0; first < names.size(); first += gallery_per_sheet) {
        std::vector<Gallery_entry> entries;
        for (std::size_t k = first; k < names.size() && k < first + gallery_per_sheet; ++k) {
            const Picture_check check = Picture_check_file(names[k] + ".txt");
            if (!check.why.empty()) {
                std::fprintf(stderr, "tintora-gallery: %s.txt: %s\n", names[k].c_str(), check.why.c_str());
                status = 1;
            }
            entries.push_back({names[k], static_cast<int>(check.regions.regions.size()),
                               Picture_view_create(squarecount, check.squares, colourcount, check.colours)});
        }
        SDL_Surface* sheet = Gallery_sheet_create(entries);
        const std::string path = (out / Gallery_sheet_name(static_cast<int>(first / gallery_per_sheet) + 1)).string();
        const std::string why = sheet ? Surface_png_write(sheet, path) : "out of memory";
        if (!why.empty()) {
            std::fprintf(stderr, "tintora-gallery: %s: %s\n", path.c_str(), why.c_str());
            status = 1;
        } else {
            std::printf("%s: %zu pictures\n", Gallery_sheet_name(static_cast<int>(first / gallery_per_sheet) + 1).c_str(),
                        entries.size());
        }
        SDL_FreeSurface(sheet);
        for (Gallery_entry& entry : entries)
            SDL_FreeSurface(entry.view);
    }
    return status;
}
