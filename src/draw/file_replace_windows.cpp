// Saving on Windows: a new file beside the old one, FlushFileBuffers, then
// MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, which
// replaces the old file in one step and returns only once it is on the disk.
// Text files have CR LF line ends, so Notepad shows them as lines.
#include "draw/file_replace.h"
#include <windows.h>
#include <filesystem>

namespace {

std::wstring Wide_of(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

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

}  // namespace

std::string_view Text_line_end()
{
    return "\r\n";
}

bool File_exists(const std::string& path)
{
    return GetFileAttributesW(Wide_of(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string File_replace(const std::string& path, std::string_view bytes, long fail_after)
{
    const std::string scratch = path + ".new";
    const std::wstring wide_scratch = Wide_of(scratch);
    HANDLE file = CreateFileW(wide_scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "cannot write the new file " + scratch + ": " + Error_text(GetLastError());
    const auto fail = [&](DWORD code) {
        CloseHandle(file);
        DeleteFileW(wide_scratch.c_str());
        return "writing " + scratch + ": " + Error_text(code);
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
    if (!MoveFileExW(wide_scratch.c_str(), Wide_of(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD code = GetLastError();
        DeleteFileW(wide_scratch.c_str());
        return "replacing " + path + " with the new file: " + Error_text(code);
    }
    return "";
}
