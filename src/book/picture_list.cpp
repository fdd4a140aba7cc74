// Finding the pictures: directory listings only, so a folder of thousands
// of files costs one pass over their names, and nothing is opened until a
// picture is shown.
#include "book/picture_list.h"
#include "book/picture_folders.h"
#include "picture_file/utf8_path.h"
#include <algorithm>
#include <filesystem>
#include <set>

namespace {

std::vector<Picture_entry> Folder_pictures(const std::string& folder, bool own)
{
    std::vector<Picture_entry> found;
    if (folder.empty())
        return found;
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path where(std::u8string(folder.begin(), folder.end()));
    fs::directory_iterator entry(where, fs::directory_options::skip_permission_denied, error);
    // A listing that fails part way keeps what it found so far.
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = Picture_name_of(Utf8_of(entry->path().filename()));
        if (!name.empty())
            found.push_back({name, folder, own});
    }
    std::sort(found.begin(), found.end(),
              [](const Picture_entry& a, const Picture_entry& b) { return a.name < b.name; });
    return found;
}

}  // namespace

std::string Picture_name_of(const std::string& file_name)
{
    const std::size_t suffix = 4;   // ".txt"
    if (file_name.size() <= suffix || !Picture_extension_ends(file_name))
        return "";
    std::string name = file_name.substr(0, file_name.size() - suffix);
    if (name.find_first_of("./\\") != std::string::npos)
        return "";
    return name;
}

std::vector<Picture_entry> Picture_list_make(const std::string& own_folder, const std::string& bundled_folder)
{
    std::vector<Picture_entry> list = Folder_pictures(own_folder, true);
    std::set<std::string> own_names;
    for (const Picture_entry& entry : list)
        own_names.insert(entry.name);
    for (Picture_entry& entry : Folder_pictures(bundled_folder, false))
        if (!own_names.contains(entry.name))
            list.push_back(std::move(entry));
    return list;
}
