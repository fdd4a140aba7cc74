// POSIX: a rename that refuses to replace (RENAME_NOREPLACE), in one step;
// where the file system has no such rename, link(), which fails with
// EEXIST rather than replace and makes the new name appear whole, then the
// old name is removed.
#include "book/file_place.h"
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

std::string File_place_new(const std::string& from, const std::string& to, bool& taken)
{
    taken = false;
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS) {
            taken = errno == EEXIST;
            return taken ? "" : std::strerror(errno);
        }
        if (link(from.c_str(), to.c_str()) != 0) {
            taken = errno == EEXIST;
            return taken ? "" : std::strerror(errno);
        }
        unlink(from.c_str());
    }
    return "";
}
