// File names on POSIX: one file is the same device and inode.
#include "check/file_names.h"
#include <sys/stat.h>

bool File_same(const std::string& a, const std::string& b)
{
    struct stat first{};
    struct stat second{};
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

std::FILE* Output_file_open(const std::string& path)
{
    return std::fopen(path.c_str(), "wb");
}
