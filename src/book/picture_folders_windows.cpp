// The book's folders on Windows: %APPDATA%\Tintora\pictures for the
// person's own pictures, the Pictures known folder for saved images, and
// the module file name for where the book itself lies. All come from the
// wide-character API and are given as UTF-8.
#include "book/picture_folders.h"
#include "picture_file/utf8_path.h"
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <cstdlib>
#include <filesystem>

std::string Picture_folder_own()
{
    const wchar_t* appdata = _wgetenv(L"APPDATA");
    if (!appdata || !*appdata)
        return "";
    return Utf8_of(std::filesystem::path(appdata) / L"Tintora" / L"pictures");
}

std::string Colouring_folder_own()
{
    const wchar_t* appdata = _wgetenv(L"APPDATA");
    if (!appdata || !*appdata)
        return "";
    return Utf8_of(std::filesystem::path(appdata) / L"Tintora" / L"colourings");
}

std::string Picture_export_folder()
{
    // The Pictures known folder follows the person wherever they moved it
    // (another drive, a synchronised folder); the profile's own Pictures is
    // only where it starts out.
    PWSTR known = nullptr;
    std::filesystem::path folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_CREATE, nullptr, &known)) && known && *known)
        folder = known;
    CoTaskMemFree(known);
    if (folder.empty()) {
        const wchar_t* profile = _wgetenv(L"USERPROFILE");
        if (!profile || !*profile)
            return "";
        folder = std::filesystem::path(profile) / L"Pictures";
    }
    return Utf8_of(folder / L"Tintora");
}

std::string Book_executable_folder()
{
    // Long paths: grow the buffer until the whole name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return "";
        if (length < name.size()) {
            name.resize(length);
            break;
        }
        name.resize(name.size() * 2);
    }
    return Utf8_of(std::filesystem::path(name).parent_path());
}

std::string Painter_file_name()
{
    return "tintora.exe";
}

std::string Maker_file_name()
{
    return "tintora-draw.exe";
}

std::string Picture_folder_bundled(const std::string& bin)
{
    return bin;
}

bool Picture_bundled_is(const std::string& folder, const std::string& name)
{
    const std::u8string utf8_folder(folder.begin(), folder.end());
    const std::u8string utf8_name(name.begin(), name.end());
    std::error_code error;
    return std::filesystem::is_regular_file(
        std::filesystem::path(utf8_folder) / std::filesystem::path(utf8_name + u8".exe"), error);
}

bool Picture_extension_ends(const std::string& file_name)
{
    const std::string suffix = ".txt";
    if (file_name.size() < suffix.size())
        return false;
    for (std::size_t k = 0; k < suffix.size(); ++k) {
        char c = file_name[file_name.size() - suffix.size() + k];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[k])
            return false;
    }
    return true;
}
