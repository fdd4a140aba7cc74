// Keeping a colouring file on Windows: a new file beside the old one,
// written and flushed (FlushFileBuffers), then moved over it with
// MOVEFILE_WRITE_THROUGH, which returns only once the move is on disk.
// Names go through the wide-character API.
#include "colouring/colouring_store.h"
#include <windows.h>
#include "picture_file/utf16_windows.h"

std::string Colouring_file_write(const std::string& path, const std::string& text)
{
    const std::wstring target = Wide_of(path);
    const std::wstring scratch = target + L".new-" + std::to_wstring(GetCurrentProcessId());
    HANDLE file = CreateFileW(scratch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return System_message(GetLastError());
    DWORD wrote = 0;
    const bool written = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) &&
                         wrote == text.size() && FlushFileBuffers(file);
    const DWORD write_error = written ? 0 : GetLastError();
    CloseHandle(file);
    if (!written) {
        DeleteFileW(scratch.c_str());
        return System_message(write_error);
    }
    if (!MoveFileExW(scratch.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD move_error = GetLastError();
        DeleteFileW(scratch.c_str());
        return System_message(move_error);
    }
    return "";
}

std::string Colouring_file_read(const std::string& path, std::string& text, bool& missing)
{
    missing = false;
    text.clear();
    HANDLE file = CreateFileW(Wide_of(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return System_message(error);
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return "it is not an ordinary file";
    }
    char buffer[4096];
    DWORD got = 0;
    while (text.size() <= colouring_file_most && ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    if (text.size() > colouring_file_most + 1)
        text.resize(colouring_file_most + 1);
    return "";
}

std::string Colouring_file_set_aside(const std::string& path)
{
    const std::wstring target = Wide_of(path);
    if (!MoveFileExW(target.c_str(), (target + L".unusable").c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return System_message(error);
    }
    return "";
}

std::string Colouring_file_remove(const std::string& path)
{
    if (!DeleteFileW(Wide_of(path).c_str())) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return System_message(error);
    }
    return "";
}
