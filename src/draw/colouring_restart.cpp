// Finding the kept colouring of the file a save writes, and comparing the
// digests of the picture it was made on, the file now and the save.
#include "draw/colouring_restart.h"
#include <filesystem>
#include "book/colouring_kept.h"
#include "book/picture_list.h"
#include "colouring/colouring_format.h"
#include "draw/drawing_open.h"
#include "draw/file_replace.h"
#include "picture_file/utf8_path.h"

namespace {

// The same folder, however it is spelt (a link, "..", case on Windows).
bool Same_folder(const std::filesystem::path& a, const std::string& b)
{
    std::error_code error;
    return !b.empty() && std::filesystem::equivalent(a, Path_of(b), error) && !error;
}

std::uint64_t Digest_of(const Drawing& drawing)
{
    return Picture_digest(drawing.squares, drawing.colours);
}

}  // namespace

std::string Colouring_path_of(const std::string& path, const Picture_places& places)
{
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(Path_of(path), error);
    if (error)
        return "";
    const std::u8string file_name = file.filename().u8string();
    Picture_entry entry;
    entry.name = Picture_name_of(std::string(file_name.begin(), file_name.end()));
    if (entry.name.empty())
        return "";
    if (Same_folder(file.parent_path(), places.own))
        entry.own = true;
    else if (!Same_folder(file.parent_path(), places.bundled))
        return "";
    return Colouring_path(places.colourings, entry);
}

bool Save_restarts_colouring(const std::string& path, const std::string& colouring_path, const Drawing& drawing)
{
    Colouring kept;
    if (!File_exists(path) || !Colouring_kept_read(colouring_path, kept))
        return false;
    const Drawing_opened now = Drawing_open(path);
    if (!now.why.empty() || kept.digest != Digest_of(now.drawing))
        return false;
    return kept.digest != Digest_of(drawing);
}
