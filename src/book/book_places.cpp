// Finding the installed tree from the executable's own folder, so that a
// package unpacked anywhere (or installed under another prefix) still finds
// its painter and pictures; a build tree falls back to the source pictures.
#include "book/book_places.h"
#include <filesystem>
#include "book/picture_folders.h"

Book_places Book_places_find(const std::string& executable_folder, const std::string& build_pictures)
{
    namespace fs = std::filesystem;
    const fs::path bin(std::u8string(executable_folder.begin(), executable_folder.end()));
    const fs::path installed = bin.parent_path() / "share" / "tintora" / "pictures";
    std::error_code error;
    const auto utf8 = [](const fs::path& path) {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    };
    Book_places places;
    places.painter = utf8(bin / Painter_file_name());
    places.bundled = !executable_folder.empty() && fs::is_directory(installed, error) ? utf8(installed) : build_pictures;
    places.own = Picture_folder_own();
    return places;
}
