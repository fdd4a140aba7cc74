// Saving on POSIX systems: mkstemp beside the file, write, fsync, rename,
// then fsync the folder so that the rename itself is on the disk.
#include "draw/file_replace.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>

std::string_view Text_line_end()
{
    return "\n";
}

bool File_exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

std::string File_replace(const std::string& path, std::string_view bytes, long fail_after)
{
    // Named in full, so that a message says where.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::absolute(path, error);
    const std::string folder = target.parent_path().string();
    std::string scratch = folder + "/." + target.filename().string() + ".XXXXXX";
    const int fd = mkstemp(scratch.data());
    if (fd < 0)
        return "cannot write a new file in " + folder + ": " + std::strerror(errno);
    const auto fail = [&](const std::string& what, int code) {
        close(fd);
        unlink(scratch.c_str());
        return what + " " + scratch + ": " + std::strerror(code);
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (fail_after >= 0) {
            if (written >= static_cast<std::size_t>(fail_after))
                return fail("writing", ENOSPC);
            chunk = std::min(chunk, static_cast<std::size_t>(fail_after) - written);
        }
        const ssize_t n = write(fd, bytes.data() + written, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail("writing", n < 0 ? errno : ENOSPC);
        written += static_cast<std::size_t>(n);
    }
    // A new picture is readable by everyone, as any file the person makes.
    const mode_t mask = umask(0);
    umask(mask);
    if (fchmod(fd, 0666 & ~mask) != 0 || fsync(fd) != 0)
        return fail("writing", errno);
    if (close(fd) != 0) {
        const int code = errno;
        unlink(scratch.c_str());
        return "writing " + scratch + ": " + std::strerror(code);
    }
    if (rename(scratch.c_str(), path.c_str()) != 0) {
        const int code = errno;
        unlink(scratch.c_str());
        return "renaming the new file over " + path + ": " + std::strerror(code);
    }
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return "";
}
