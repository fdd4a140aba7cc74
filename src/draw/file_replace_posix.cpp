// Saving on POSIX systems: mkstemp beside the file, write, give it the old
// file's owner and mode, fsync, rename (or, for a name that must still be
// free, the book's placing that refuses to replace), then fsync the folder
// so that the rename itself is on the disk.
#include "draw/file_replace.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>
#include "book/file_place.h"
#include "picture_file/file_open.h"

namespace {

bool Group_mine(gid_t group)
{
    if (group == getegid())
        return true;
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    return std::find(groups.begin(), groups.begin() + std::max(count, 0), group) != groups.begin() + std::max(count, 0);
}

// Read-only by the mode bits that apply to this process. Root may write
// anything, so for root the owner's bits say what the owner meant.
bool Mode_read_only(const struct stat& info)
{
    const uid_t user = geteuid();
    if (user == 0 || user == info.st_uid)
        return (info.st_mode & S_IWUSR) == 0;
    if (Group_mine(info.st_gid))
        return (info.st_mode & S_IWGRP) == 0;
    return (info.st_mode & S_IWOTH) == 0;
}

// Only root may give a file to another user; anyone may give it one of
// their own groups. What cannot be kept stays as the new file has it.
void Owner_keep(int fd, const struct stat& old)
{
    if (old.st_uid == geteuid() && old.st_gid == getegid())
        return;
    if (fchown(fd, old.st_uid, old.st_gid) != 0 && fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0)
        return;
}

}  // namespace

std::string_view Text_line_end()
{
    return "\n";
}

bool File_exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

File_seen File_look(const std::string& path)
{
    File_seen seen;
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        if (errno != ENOENT)
            seen.why = std::strerror(errno);
        return seen;
    }
    seen.exists = true;
    seen.read_only = Mode_read_only(info);
    seen.size = static_cast<std::uint64_t>(info.st_size);
    seen.time = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    seen.why = Picture_file_bytes(path, seen.bytes);
    return seen;
}

std::string File_replace(const std::string& path, std::string_view bytes, long fail_after)
{
    return File_write(path, bytes, false, fail_after).why;
}

File_written File_write(const std::string& path, std::string_view bytes, bool only_new, long fail_after)
{
    // Named in full, so that a message says where.
    std::error_code error;
    const std::filesystem::path target = std::filesystem::absolute(path, error);
    const std::string folder = target.parent_path().string();
    std::string scratch = folder + "/." + target.filename().string() + ".XXXXXX";
    const int fd = mkstemp(scratch.data());
    if (fd < 0)
        return {"cannot write a new file in " + folder + ": " + std::strerror(errno)};
    const auto fail = [&](const std::string& what, int code) {
        close(fd);
        unlink(scratch.c_str());
        return File_written{what + " " + scratch + ": " + std::strerror(code)};
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
    // The file replaced keeps its owner (as far as this process may give it)
    // and its mode, so a private picture stays private; a new picture is
    // readable by everyone, as any file the person makes.
    struct stat old;
    mode_t mode = 0;
    if (!only_new && stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        Owner_keep(fd, old);
        mode = old.st_mode & 0777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    if (fchmod(fd, mode) != 0 || fsync(fd) != 0)
        return fail("writing", errno);
    if (close(fd) != 0) {
        const int code = errno;
        unlink(scratch.c_str());
        return {"writing " + scratch + ": " + std::strerror(code)};
    }
    if (only_new) {
        bool taken = false;
        if (const std::string why = File_place_new(scratch, path, taken); taken || !why.empty()) {
            unlink(scratch.c_str());
            if (taken)
                return {"", true};
            return {"giving the new file the name " + path + ": " + why};
        }
    } else if (rename(scratch.c_str(), path.c_str()) != 0) {
        const int code = errno;
        unlink(scratch.c_str());
        return {"renaming the new file over " + path + ": " + std::strerror(code)};
    }
    const int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        close(dir);
    }
    return {};
}
