// Opening the picture file on Windows: the name goes to the file system as
// UTF-16, so a picture named in any script opens whatever the ANSI code
// page; only an ordinary disk file is opened, never a folder or a device,
// and it is read in the C runtime's own text mode (CR LF, Ctrl-Z).
#include "picture_file/file_open.h"
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cwctype>
#include <string>
#include <string_view>
#include <vector>
#include "picture_file/text_stream.h"

namespace {

// read_error when the stream holds only the first text_limit bytes of a
// longer file: reaching its end means the grid had not ended by then.
constexpr int cut_at_limit = -1;

std::wstring Wide_from_utf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

std::string Utf8_from_wide(std::wstring_view wide)
{
    if (wide.empty())
        return std::string();
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
    return text;
}

// Windows opens a device for these names in every folder, whatever their
// extension and however they are written: "nul.txt", "COM1 .txt", "CON".
bool Device_name(const std::wstring& name)
{
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L'.'))
        stem.pop_back();
    for (wchar_t& c : stem)
        c = static_cast<wchar_t>(std::towupper(c));
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (stem == device)
            return true;
    // COM0-COM9 and LPT0-LPT9, the superscript digits included.
    if (stem.size() == 4 && (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0)) {
        const wchar_t digit = stem[3];
        return (digit >= L'0' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3';
    }
    return false;
}

std::string Errno_text(int code)
{
    return std::strerror(code);
}

// The first text_limit bytes of a longer file, in a temporary file that
// goes when it is closed, read in text mode like the file itself.
std::FILE* Prefix_copy(HANDLE file, std::string& why)
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t path[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder) || !GetTempFileNameW(folder, L"tin", 0, path)) {
        why = "no room for reading it";
        return nullptr;
    }
    std::FILE* copy = _wfopen(path, L"w+bTD");
    if (!copy) {
        DeleteFileW(path);
        why = Errno_text(errno);
        return nullptr;
    }
    std::vector<char> buffer(1 << 16);
    std::size_t left = text_limit;
    while (left > 0) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(left, buffer.size()));
        if (!ReadFile(file, buffer.data(), want, &got, nullptr)) {
            why = Errno_text(EIO);
            std::fclose(copy);
            return nullptr;
        }
        if (got == 0)
            break;
        std::fwrite(buffer.data(), 1, got, copy);
        left -= got;
    }
    std::fflush(copy);
    std::rewind(copy);
    _setmode(_fileno(copy), _O_TEXT);
    return copy;
}

}  // namespace

std::FILE* Picture_file_open(const std::string& name, int& read_error, std::string& why)
{
    read_error = 0;
    const std::wstring wide = Wide_from_utf8(name);
    // Devices are refused by name, before anything is opened: opening CON
    // would wait for the console, COM1 for a serial line.
    if (Device_name(wide)) {
        why = "it is a device, not a picture file";
        return nullptr;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        why = Errno_text(code == ERROR_ACCESS_DENIED ? EACCES : ENOENT);
        return nullptr;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        why = "it is a directory, not a picture file";
        return nullptr;
    }
    std::FILE* text = _wfopen(wide.c_str(), L"rt");
    if (!text) {
        why = Errno_text(errno);
        return nullptr;
    }
    // Checked again on what was opened, in case something else was put in
    // the file's place meanwhile.
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(text)));
    if (GetFileType(file) != FILE_TYPE_DISK) {
        std::fclose(text);
        why = "it is not a regular file";
        return nullptr;
    }
    // No picture comes near text_limit bytes; a longer file is read only
    // that far, so that no file, however long or sparse, can keep the
    // program reading. A Ctrl-Z before the limit ends the text there anyway.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) > text_limit) {
        std::FILE* copy = Prefix_copy(file, why);
        std::fclose(text);
        if (!copy)
            return nullptr;
        read_error = cut_at_limit;
        return copy;
    }
    return text;
}

bool Picture_file_close(std::FILE* text, const int& read_error, std::string& why)
{
    // In text mode the end of the stream is also a Ctrl-Z, so a cut copy
    // that was read to its end is looked at again for one.
    const bool error = std::ferror(text) != 0;
    bool too_long = false;
    if (!error && read_error == cut_at_limit && std::feof(text)) {
        _setmode(_fileno(text), _O_BINARY);
        std::rewind(text);
        too_long = true;
        for (int c = std::fgetc(text); c != EOF; c = std::fgetc(text))
            if (c == 0x1A) {
                too_long = false;
                break;
            }
    }
    std::fclose(text);
    if (too_long) {
        why = "it goes on for more than " + std::to_string(text_limit >> 20) +
              " MiB before its grid ends, far longer than any picture";
        return false;
    }
    if (error) {
        why = Errno_text(EIO);
        return false;
    }
    return true;
}

std::string Folder_current()
{
    std::vector<wchar_t> folder(GetCurrentDirectoryW(0, nullptr) + 1);
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0 || length >= folder.size())
        return "the working directory";
    return Utf8_from_wide(std::wstring_view(folder.data(), length));
}
