// Reading the picture file on Linux and other POSIX systems: only a regular
// file is opened, never a device, pipe or socket.
#include "picture_file/file_open.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* Filetype_describe(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a directory, not a picture file";
    if (S_ISFIFO(mode))
        return "it is a pipe, not a picture file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a picture file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a picture file";
    return "it is not a regular file";
}

}  // namespace

std::string Picture_file_bytes(const std::string& name, std::string& stored)
{
    stored.clear();
    // Anything but a regular file is refused before it is even opened:
    // opening a device can have effects of its own, and a socket cannot be
    // opened at all. It is then opened without blocking, so that a pipe put
    // in its place meanwhile cannot hang the start, and checked again.
    struct stat st{};
    if (stat(name.c_str(), &st) != 0)
        return std::strerror(errno);
    if (!S_ISREG(st.st_mode))
        return Filetype_describe(st.st_mode);
    const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::strerror(errno);
    std::string why;
    if (fstat(fd, &st) != 0)
        why = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        why = Filetype_describe(st.st_mode);
    // The limit and one byte more, which tells that the file is longer.
    const std::size_t want = text_limit + 1;
    stored.resize(std::min<std::size_t>(want, st.st_size > 0 ? static_cast<std::size_t>(st.st_size) + 1 : 4096));
    std::size_t got = 0;
    while (why.empty() && got < want) {
        if (got == stored.size())
            stored.resize(std::min(want, stored.size() * 2));
        const ssize_t n = read(fd, stored.data() + got, stored.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            why = std::strerror(errno);
        if (n <= 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    stored.resize(got);
    close(fd);
    return why;
}

std::FILE* Scratch_file_open()
{
    return std::tmpfile();
}

std::FILE* Discard_file_open()
{
    cookie_io_functions_t io{};
    io.write = [](void*, const char*, std::size_t size) { return static_cast<ssize_t>(size); };
    return fopencookie(nullptr, "w", io);
}

std::string Folder_current()
{
    std::string folder(4096, '\0');
    while (!getcwd(folder.data(), folder.size())) {
        if (errno != ERANGE)
            return std::string("the working directory (") + std::strerror(errno) + ")";
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    return folder;
}
