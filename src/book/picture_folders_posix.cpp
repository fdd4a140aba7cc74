// The book's folders on Linux: the XDG data folder for the person's own
// pictures, and /proc/self/exe for where the book itself was installed
// (links the book was started through are resolved, so a link to it
// anywhere still finds its painter).
#include "book/picture_folders.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>

std::string Picture_folder_own()
{
    // An empty or relative XDG_DATA_HOME is invalid and ignored, as the XDG
    // base directory rules say.
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/tintora/pictures";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.local/share/tintora/pictures";
    return "";
}

std::string Colouring_folder_own()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && data[0] == '/')
        return std::string(data) + "/tintora/colourings";
    const char* home = std::getenv("HOME");
    if (home && *home)
        return std::string(home) + "/.local/share/tintora/colourings";
    return "";
}

std::string Picture_export_folder()
{
    // xdg-user-dir reads the person's own choice (user-dirs.dirs, in their
    // language) and answers the home folder when there is none.
    std::string folder;
    if (std::FILE* answer = popen("xdg-user-dir PICTURES 2>/dev/null", "r")) {
        char line[4096];
        if (std::fgets(line, sizeof line, answer))
            folder = line;
        pclose(answer);
    }
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '/'))
        folder.pop_back();
    if (folder.empty() || folder[0] != '/') {
        const char* home = std::getenv("HOME");
        if (!home || !*home)
            return "";
        folder = std::string(home) + "/Pictures";
    }
    return folder + "/Tintora";
}

std::string Book_executable_folder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "" : self.parent_path().string();
}

std::string Painter_file_name()
{
    return "tintora";
}

std::string Maker_file_name()
{
    return "tintora-draw";
}

std::string Picture_folder_bundled(const std::string& bin)
{
    namespace fs = std::filesystem;
    const fs::path installed = fs::path(bin).parent_path() / "share" / "tintora" / "pictures";
    const fs::path build_tree = fs::path(bin) / "share" / "tintora" / "pictures";
    std::error_code error;
    return (fs::is_directory(build_tree, error) && !fs::is_directory(installed, error) ? build_tree : installed).string();
}

bool Picture_bundled_is(const std::string&, const std::string&)
{
    return true;
}

bool Picture_extension_ends(const std::string& file_name)
{
    return file_name.ends_with(".txt");
}
