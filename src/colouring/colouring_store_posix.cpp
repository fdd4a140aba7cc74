// Keeping a colouring file on POSIX systems: mkstemp beside the file, write,
// fsync, rename, then fsync the folder so that the rename itself survives a
// power cut.
#include "colouring/colouring_store.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string Errno_text()
{
    return std::strerror(errno);
}

std::string Folder_of(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool All_written(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

void Folder_sync(const std::string& path)
{
    const int folder = open(Folder_of(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    fsync(folder);
    close(folder);
}

}  // namespace

std::string Colouring_file_write(const std::string& path, const std::string& text)
{
    std::vector<char> name(path.begin(), path.end());
    for (char c : std::string(".new-XXXXXX"))
        name.push_back(c);
    name.push_back('\0');
    const int fd = mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0)
        return Errno_text();
    if (!All_written(fd, text) || fsync(fd) != 0) {
        const std::string why = Errno_text();
        close(fd);
        unlink(name.data());
        return why;
    }
    if (close(fd) != 0 || rename(name.data(), path.c_str()) != 0) {
        const std::string why = Errno_text();
        unlink(name.data());
        return why;
    }
    Folder_sync(path);
    return "";
}

std::string Colouring_file_read(const std::string& path, std::string& text, bool& missing)
{
    missing = false;
    text.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        missing = errno == ENOENT;
        return Errno_text();
    }
    // A fifo or a device would block or never end.
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        close(fd);
        return "it is not an ordinary file";
    }
    char buffer[4096];
    while (text.size() <= colouring_file_most) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const std::string why = Errno_text();
            close(fd);
            return why;
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    if (text.size() > colouring_file_most + 1)
        text.resize(colouring_file_most + 1);
    return "";
}

std::string Colouring_file_set_aside(const std::string& path)
{
    if (rename(path.c_str(), (path + ".unusable").c_str()) != 0 && errno != ENOENT)
        return Errno_text();
    Folder_sync(path);
    return "";
}

std::string Colouring_file_remove(const std::string& path)
{
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
        return Errno_text();
    Folder_sync(path);
    return "";
}
