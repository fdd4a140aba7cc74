// A file in memory for the text layer, which reads a descriptor: the
// reader's tests and the fuzz target hand it bytes without touching a disk.
#pragma once
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

// A descriptor open for reading at the start of `bytes`, or -1.
inline int Memory_file(std::string_view bytes)
{
    const int fd = memfd_create("picture", MFD_CLOEXEC);
    if (fd < 0)
        return -1;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            close(fd);
            return -1;
        }
        done += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}
