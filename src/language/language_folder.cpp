// Choosing between an installed tree and a build tree for the catalogues.
#include "language/language_folder.h"
#include <filesystem>

std::string Language_folder_choose(const std::string& program_folder)
{
    namespace fs = std::filesystem;
    if (program_folder.empty())
        return "";
    const fs::path bin(std::u8string(program_folder.begin(), program_folder.end()));
    const fs::path installed = bin.parent_path() / "share" / "locale";
    const fs::path build_tree = bin / "share" / "locale";
    std::error_code error;
    const fs::path& chosen =
        fs::is_directory(build_tree, error) && !fs::is_directory(installed, error) ? build_tree : installed;
    const std::u8string text = chosen.u8string();
    return std::string(text.begin(), text.end());
}
