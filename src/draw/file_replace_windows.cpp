// Saving on Windows: a new file beside the old one, given the old one's
// attributes, FlushFileBuffers, then MoveFileExW with MOVEFILE_WRITE_THROUGH,
// which puts it in the old file's place in one step and returns only once
// that is on the disk (with MOVEFILE_REPLACE_EXISTING when a file is to be
// replaced, without it when the name must still be free).
// Text files have CR LF line ends, so Notepad shows them as lines.
#include "draw/file_replace.h"
#include <windows.h>
#include <filesystem>
#include "picture_file/file_open.h"
#include "picture_file/utf16_windows.h"

namespace {

std::string Error_text(DWORD code)
{
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = "error " + std::to_string(code);
    if (text) {
        const std::u8string utf8 = std::filesystem::path(text).u8string();
        message = std::string(utf8.begin(), utf8.end());
        LocalFree(text);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
            message.pop_back();
    }
    return message;
}

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
            seen.why = Error_text(code);
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
        return {"cannot write the new file " + scratch + ": " + Error_text(GetLastError())};
    const auto fail = [&](DWORD code) {
        CloseHandle(file);
        DeleteFileW(wide_scratch.c_str());
        return File_written{"writing " + scratch + ": " + Error_text(code)};
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
    const std::wstring wide_path = Wide_of(path);
    if (!only_new) {
        const DWORD old = GetFileAttributesW(wide_path.c_str());
        if (old != INVALID_FILE_ATTRIBUTES && (old & kept_attributes) != 0)
            SetFileAttributesW(wide_scratch.c_str(), old & kept_attributes);
    }
    const DWORD how = MOVEFILE_WRITE_THROUGH | (only_new ? 0 : MOVEFILE_REPLACE_EXISTING);
    if (!MoveFileExW(wide_scratch.c_str(), wide_path.c_str(), how)) {
        const DWORD code = GetLastError();
        DeleteFileW(wide_scratch.c_str());
        if (only_new && (code == ERROR_ALREADY_EXISTS || code == ERROR_FILE_EXISTS))
            return {"", true};
        return {"replacing " + path + " with the new file: " + Error_text(code)};
    }
    return {};
}
