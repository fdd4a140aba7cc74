// Reading the picture file, and other files a person names, on Linux and
// other POSIX systems: only a regular file is opened, never a device, pipe
// or socket.
#include "picture_file/file_open.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Filetype_describe(mode_t mode, const std::string& wanted)
{
    if (S_ISDIR(mode))
        return "it is a directory, not " + wanted;
    if (S_ISFIFO(mode))
        return "it is a pipe, not " + wanted;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not " + wanted;
    if (S_ISSOCK(mode))
        return "it is a socket, not " + wanted;
    return "it is not a regular file";
}

// Anything but a regular file is refused before it is even opened: opening
// a device can have effects of its own, and a socket cannot be opened at
// all. It is then opened without blocking, so that a pipe put in its place
// meanwhile cannot hang the start, and checked again. Returns the
// descriptor, or -1 with `why` set.
int Regular_file_descriptor(const std::string& name, const std::string& wanted, std::string& why, struct stat& st)
{
    if (stat(name.c_str(), &st) != 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        why = Filetype_describe(st.st_mode, wanted);
        return -1;
    }
    const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = std::strerror(errno);
        return -1;
    }
    if (fstat(fd, &st) != 0)
        why = std::strerror(errno);
    else if (!S_ISREG(st.st_mode))
        why = Filetype_describe(st.st_mode, wanted);
    if (why.empty())
        return fd;
    close(fd);
    return -1;
}

}  // namespace

std::FILE* Regular_file_open(const std::string& name, const std::string& wanted, std::string& why)
{
    struct stat st{};
    const int fd = Regular_file_descriptor(name, wanted, why, st);
    if (fd < 0)
        return nullptr;
    // O_NONBLOCK changes nothing for a regular file's reads.
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        why = std::strerror(errno);
        close(fd);
    }
    return file;
}

std::string Picture_file_bytes(const std::string& name, std::string& stored)
{
    stored.clear();
    struct stat st{};
    std::string why;
    const int fd = Regular_file_descriptor(name, "a picture file", why, st);
    if (fd < 0)
        return why;
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
