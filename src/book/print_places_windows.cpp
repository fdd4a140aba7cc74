// Printing's places on Windows: the locale's paper, the font carried beside
// the programs, and the shell's viewer for PDF files.
#include "book/print_places.h"
#include <windows.h>
#include <shellapi.h>
#include <filesystem>

Paper Paper_chosen()
{
    // LOCALE_IPAPERSIZE: 1 is US Letter, 9 is A4 (5 legal, 8 A3 are not
    // offered: a colouring page is letter or A4).
    wchar_t answer[8] = L"";
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_IPAPERSIZE, answer, 8) > 0 && answer[0] == L'1' &&
        answer[1] == L'\0')
        return paper_letter;
    return paper_a4;
}

std::string Print_font_file(const std::string& bin)
{
    const std::filesystem::path font = std::filesystem::path(std::u8string(bin.begin(), bin.end())) / L"DejaVuSans.ttf";
    // The PDF library opens the font with the C library's narrow calls, which
    // cannot name a folder outside the ANSI code page: its short name can.
    wchar_t short_name[MAX_PATH];
    const DWORD length = GetShortPathNameW(font.c_str(), short_name, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        std::string narrow;
        for (DWORD k = 0; k < length && short_name[k] < 0x80; ++k)
            narrow += static_cast<char>(short_name[k]);
        if (narrow.size() == length)
            return narrow;
    }
    const std::u8string path = font.u8string();
    return std::string(path.begin(), path.end());
}

std::string File_show(const std::string& path)
{
    const std::wstring wide = std::filesystem::path(std::u8string(path.begin(), path.end())).wstring();
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32)
        return "";
    if (result == SE_ERR_NOASSOC)
        return "no program is set to show PDF files";
    return "its viewer could not be started (" + std::to_string(result) + ")";
}
