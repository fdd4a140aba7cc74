// The program's folder on Linux: the kernel's name for the running file,
// whatever name or link it was started through.
#include "language/language_folder.h"
#include <filesystem>

std::string Language_program_folder()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "" : self.parent_path().string();
}
