// Reading the picture file, and other files a person names, on Windows:
// the name goes to the file system as UTF-16, so a file named in any script
// opens whatever the ANSI code page; only an ordinary disk file is opened,
// never a folder, a device or a stream of another file.
#include "picture_file/file_open.h"
#include "picture_file/file_name_windows.h"
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>
#include "picture_file/utf16_windows.h"

namespace {

// The path without a drive letter in front ("Z:" of "Z:\pics\cat.txt").
std::wstring_view Drive_skip(std::wstring_view path)
{
    if (path.size() >= 2 && path[1] == L':' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z')))
        path.remove_prefix(2);
    return path;
}

bool Ascii_upper_equal(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return (x >= L'a' && x <= L'z' ? x - L'a' + L'A' : x) == y;
           });
}

}  // namespace

// Windows opens a device for these names in every folder, whatever their
// extension and however they are written: "nul.txt", "COM1 .txt", "CON",
// ".\pics\lpt².txt". Only the last part of the path counts; its name runs
// to the first '.', without the blanks at its end.
bool Device_name(std::wstring_view path)
{
    path = Drive_skip(path);
    const auto slash = path.find_last_of(L"\\/");
    std::wstring_view stem = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    stem = stem.substr(0, stem.find_first_of(L".:"));
    while (!stem.empty() && stem.back() == L' ')
        stem.remove_suffix(1);
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (Ascii_upper_equal(stem, device))
            return true;
    // COM0-COM9 and LPT0-LPT9, the superscript digits included.
    if (stem.size() == 4 && (Ascii_upper_equal(stem.substr(0, 3), L"COM") || Ascii_upper_equal(stem.substr(0, 3), L"LPT"))) {
        const wchar_t digit = stem[3];
        return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

// A ':' past the drive names a stream of a file ("owl.txt:hidden"), or a
// device ("NUL:"), never a picture file of its own.
bool Stream_name(std::wstring_view path)
{
    return Drive_skip(path).find(L':') != std::wstring_view::npos;
}

namespace {

std::string Error_text(DWORD code)
{
    switch (code) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return std::strerror(EACCES);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
        return std::strerror(ENOENT);
    default:
        return std::strerror(EIO);
    }
}

}  // namespace

namespace {

// Opens an ordinary disk file for reading; INVALID_HANDLE_VALUE, with `why`
// set, for anything else. Devices are refused by name, before anything is
// opened: opening CON would wait for the console, COM1 for a serial line.
HANDLE Regular_file_handle(const std::string& name, const std::string& wanted, std::string& why)
{
    const std::wstring wide = Wide_of(name);
    if (Device_name(wide)) {
        why = "it is a device, not " + wanted;
        return INVALID_HANDLE_VALUE;
    }
    if (Stream_name(wide)) {
        why = "a ':' in its name names a stream of another file, not " + wanted;
        return INVALID_HANDLE_VALUE;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        why = std::strerror(code == ERROR_ACCESS_DENIED ? EACCES : ENOENT);
        return INVALID_HANDLE_VALUE;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        why = "it is a directory, not " + wanted;
        return INVALID_HANDLE_VALUE;
    }
    const HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = Error_text(GetLastError());
        return INVALID_HANDLE_VALUE;
    }
    // Checked again on what was opened, in case something else was put in
    // the file's place meanwhile.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        why = "it is not a regular file";
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

}  // namespace

std::FILE* Regular_file_open(const std::string& name, const std::string& wanted, std::string& why)
{
    const HANDLE file = Regular_file_handle(name, wanted, why);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        why = std::strerror(EIO);
        CloseHandle(file);
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, "rb");
    if (!stream) {
        why = std::strerror(errno);
        _close(fd);   // closes the handle too
    }
    return stream;
}

std::string Picture_file_bytes(const std::string& name, std::string& stored)
{
    stored.clear();
    std::string why;
    const HANDLE file = Regular_file_handle(name, "a picture file", why);
    if (file == INVALID_HANDLE_VALUE)
        return why;
    // The limit and one byte more, which tells that the file is longer.
    const std::size_t want = text_limit + 1;
    LARGE_INTEGER size{};
    const std::size_t expected =
        GetFileSizeEx(file, &size) ? static_cast<std::size_t>(std::min<LONGLONG>(size.QuadPart, LONGLONG{want})) : 0;
    stored.resize(std::min(want, std::max<std::size_t>(expected + 1, 4096)));
    std::size_t got = 0;
    while (why.empty() && got < want) {
        if (got == stored.size())
            stored.resize(std::min(want, stored.size() * 2));
        DWORD n = 0;
        if (!ReadFile(file, stored.data() + got, static_cast<DWORD>(stored.size() - got), &n, nullptr)) {
            why = Error_text(GetLastError());
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    stored.resize(got);
    CloseHandle(file);
    return why;
}

std::FILE* Scratch_file_open()
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || !GetTempFileNameW(folder, L"tin", 0, name))
        return nullptr;
    // T: kept in memory where it can be; D: removed when closed.
    std::FILE* scratch = _wfopen(name, L"w+bTD");
    if (!scratch)
        DeleteFileW(name);
    return scratch;
}

std::FILE* Discard_file_open()
{
    // The null device: written to, it keeps nothing and touches no disk.
    return _wfopen(L"NUL", L"wb");
}

std::string Folder_current()
{
    std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1);
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0 || length >= folder.size())
        return "the working directory";
    return Utf8_of(std::wstring_view(folder.data(), length));
}
