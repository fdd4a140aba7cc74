// Saving on Windows: a new file beside the old one, given the old one's
// attributes, FlushFileBuffers, then MoveFileExW with MOVEFILE_WRITE_THROUGH,
// which puts it in the old file's place in one step and returns only once
// that is on the disk; a name that must still be free is taken the way the
// book places its images, with a move that does not replace.
// Text files have CR LF line ends, so Notepad shows them as lines.
#include "draw/file_replace.h"
#include <windows.h>
#include "book/file_place.h"
#include "picture_file/file_open.h"
#include "picture_file/utf16_windows.h"

namespace {

// The attributes a replaced file keeps; read-only never reaches a new file.
constexpr DWORD kept_attributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

}  // namespace

std::string_view Text_line_end()
{
    return "\r\n";
}

bool File_exists(const std::string& path)
{
    return GetFileAttributesW(Wide_of(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

File_seen File_look(const std::string& path)
{
    File_seen seen;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide_of(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_NOT_FOUND && code != ERROR_PATH_NOT_FOUND)
            seen.why = System_message(code);
        return seen;
    }
    seen.exists = true;
    seen.read_only = (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    seen.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    seen.time = static_cast<std::int64_t>((std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
                                          data.ftLastWriteTime.dwLowDateTime);
    seen.why = Picture_file_bytes(path, seen.bytes);
    return seen;
}

std::string File_replace(const std::string& path, std::string_view bytes, long fail_after)
{
    return File_write(path, bytes, false, fail_after).why;
}

File_written File_write(const std::string& path, std::string_view bytes, bool only_new, long fail_after)
{
    // A name of its own beside the file: one that is taken, perhaps a file
    // of the person's, is never written over.
    std::string scratch;
    std::wstring wide_scratch;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int k = 0; k < 100 && file == INVALID_HANDLE_VALUE; ++k) {
        scratch = path + (k == 0 ? ".new" : ".new" + std::to_string(k));
        wide_scratch = Wide_of(scratch);
        file = CreateFileW(wide_scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file == INVALID_HANDLE_VALUE)
        return {"cannot write the new file " + scratch + ": " + System_message(GetLastError())};
    const auto fail = [&](DWORD code) {
        CloseHandle(file);
        DeleteFileW(wide_scratch.c_str());
        return File_written{"writing " + scratch + ": " + System_message(code)};
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        std::size_t chunk = bytes.size() - written;
        if (fail_after >= 0) {
            if (written >= static_cast<std::size_t>(fail_after))
                return fail(ERROR_DISK_FULL);
            chunk = std::min(chunk, static_cast<std::size_t>(fail_after) - written);
        }
        DWORD n = 0;
        if (!WriteFile(file, bytes.data() + written, static_cast<DWORD>(chunk), &n, nullptr))
            return fail(GetLastError());
        if (n == 0)
            return fail(ERROR_DISK_FULL);
        written += n;
    }
    if (!FlushFileBuffers(file))
        return fail(GetLastError());
    CloseHandle(file);
    if (only_new) {
        bool taken = false;
        if (const std::string why = File_place_new(scratch, path, taken); taken || !why.empty()) {
            DeleteFileW(wide_scratch.c_str());
            if (taken)
                return {"", true};
            return {"giving the new file the name " + path + ": " + why};
        }
        return {};
    }
    const std::wstring wide_path = Wide_of(path);
    const DWORD old = GetFileAttributesW(wide_path.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & kept_attributes) != 0)
        SetFileAttributesW(wide_scratch.c_str(), old & kept_attributes);
    if (!MoveFileExW(wide_scratch.c_str(), wide_path.c_str(), MOVEFILE_WRITE_THROUGH | MOVEFILE_REPLACE_EXISTING)) {
        const DWORD code = GetLastError();
        DeleteFileW(wide_scratch.c_str());
        return {"replacing " + path + " with the new file: " + System_message(code)};
    }
    return {};
}
