// POSIX: link() fails with EEXIST rather than replace, and the new name
// appears whole or not at all; the scratch name is removed afterwards.
#include "book/file_place.h"
#include <cerrno>
#include <cstring>
#include <unistd.h>

std::string File_place_new(const std::string& from, const std::string& to, bool& taken)
{
    taken = false;
    if (link(from.c_str(), to.c_str()) != 0) {
        taken = errno == EEXIST;
        return taken ? "" : std::strerror(errno);
    }
    unlink(from.c_str());
    return "";
}
