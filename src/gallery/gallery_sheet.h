// The gallery's contact sheets: the bundled pictures' thumbnails, as the
// picture book shows them, twenty to a sheet in five columns, each above its
// name and its number of parts. Plain drawing on a surface, no window.
#pragma once
#include <span>
#include <string>
#include <vector>
#include <SDL.h>

constexpr int gallery_columns = 5;
constexpr int gallery_rows = 4;
constexpr int gallery_per_sheet = gallery_columns * gallery_rows;

// One picture on a sheet: its name, the number of its parts (regions, the
// background included), and its first view (800 x 900, 32 bits).
struct Gallery_entry {
    std::string name;
    int regions = 0;
    SDL_Surface* view = nullptr;
};

// The sheet of 1 to gallery_per_sheet entries, in order, left to right and
// top to bottom, as a new 32-bit surface as tall as its rows of pictures;
// nullptr when out of memory, or given no entries or more than a sheet holds.
SDL_Surface* Gallery_sheet_create(std::span<const Gallery_entry> entries);

// The pictures of a folder in the gallery's order (by file name, bytewise):
// the names of its NAME.txt files, without ".txt".
std::vector<std::string> Gallery_names(const std::string& folder);

// Sheet k (from 1) is named gallery-k.png.
std::string Gallery_sheet_name(int k);
