// The image is written under a scratch name first and then given its name
// only if no file has it, so two books saving at once, or a file the
// person made meanwhile, never lose anything.
#include "book/picture_export.h"
#include <filesystem>
#include "book/file_place.h"
#include "book/picture_card.h"
#include "check/png_write.h"
#include "picture_file/utf8_path.h"

namespace {

// Enough for one a minute all day.
constexpr int copies_most = 1000;

}  // namespace

std::string Export_file_name(const std::string& title, const std::string& date, int copy, const std::string& extension)
{
    std::string name;
    for (char c : title)
        name += std::string("/\\:*?\"<>|").find(c) == std::string::npos && static_cast<unsigned char>(c) >= 0x20
                    ? c
                    : '-';
    // Windows drops trailing blanks and dots from a name.
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    if (name.empty())
        name = "picture";
    return name + " " + date + (copy > 1 ? " (" + std::to_string(copy) + ")" : "") + extension;
}

std::string Picture_export(const Picture_entry& entry, const std::string& colouring_path, const std::string& title,
                           const std::string& folder, const std::string& date, std::string& saved)
{
    if (folder.empty())
        return "no Pictures folder is known";
    std::error_code error;
    std::filesystem::create_directories(Path_of(folder), error);
    if (error)
        return error.message();
    std::string why;
    SDL_Surface* board = Picture_board_view(entry, colouring_path, why);
    if (!board)
        return why;
    const std::string scratch = Utf8_of(Path_of(folder) / Path_of(".tintora-saving-" + entry.name + ".png"));
    why = Surface_png_write(board, scratch);
    SDL_FreeSurface(board);
    if (!why.empty()) {
        std::filesystem::remove(Path_of(scratch), error);
        return why;
    }
    return Export_place(scratch, folder, title, date, ".png", saved);
}

std::string Export_place(const std::string& scratch, const std::string& folder, const std::string& title,
                         const std::string& date, const std::string& extension, std::string& saved)
{
    std::error_code error;
    std::string why;
    for (int copy = 1; copy <= copies_most; ++copy) {
        const std::string path = Utf8_of(Path_of(folder) / Path_of(Export_file_name(title, date, copy, extension)));
        bool taken = false;
        why = File_place_new(scratch, path, taken);
        if (!taken) {
            if (why.empty())
                saved = path;
            else
                std::filesystem::remove(Path_of(scratch), error);
            return why;
        }
    }
    std::filesystem::remove(Path_of(scratch), error);
    return "there are already " + std::to_string(copies_most) + " " + (extension == ".pdf" ? "pages" : "images") +
           " of it from today";
}
