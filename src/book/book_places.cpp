// Finding the installed tree from the executable's own folder, so that a
// package unpacked anywhere (or installed under another prefix) still finds
// its painter and pictures; a build tree has the same shape one level down.
#include "book/book_places.h"
#include <filesystem>
#include "book/picture_folders.h"

Book_places Book_places_find(const std::string& executable_folder)
{
    namespace fs = std::filesystem;
    const auto utf8 = [](const fs::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    };
    Book_places places;
    places.own = Picture_folder_own();
    places.colourings = Colouring_folder_own();
    if (executable_folder.empty())
        return places;
    const fs::path bin(std::u8string(executable_folder.begin(), executable_folder.end()));
    places.painter = utf8(bin / Painter_file_name());
    places.maker = utf8(bin / Maker_file_name());
    places.bundled = Picture_folder_bundled(executable_folder);
    return places;
}
