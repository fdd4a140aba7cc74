// Opening the picture file on Linux and other POSIX systems: only a regular
// file is opened, never a device, pipe or socket, and it is read through the
// text-mode layer so that files drawn on Windows read the same here.
#include "picture_file/file_open.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include "picture_file/text_stream.h"

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

std::FILE* Picture_file_open(const std::string& name, int& read_error, std::string& why)
{
    // Anything but a regular file is refused before it is even opened:
    // opening a device can have effects of its own, and a socket cannot be
    // opened at all. It is then opened without blocking, so that a pipe put
    // in its place meanwhile cannot hang the start, and checked again.
    struct stat st{};
    if (stat(name.c_str(), &st) != 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        why = Filetype_describe(st.st_mode);
        return nullptr;
    }
    const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = S_ISREG(st.st_mode) ? std::strerror(errno) : Filetype_describe(st.st_mode);
        close(fd);
        return nullptr;
    }
    std::FILE* text = Text_open(fd, &read_error);
    if (!text)
        why = "out of memory";
    return text;
}

bool Picture_file_close(std::FILE* text, const int& read_error, std::string& why)
{
    std::fclose(text);
    if (read_error == EFBIG)
        why = "it goes on for more than " + std::to_string(text_limit >> 20) +
              " MiB before its grid ends, far longer than any picture";
    else if (read_error != 0)
        why = std::strerror(read_error);
    return read_error == 0;
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
