// The book's request on Windows: read through the wide-character
// environment, since the colourings folder lies under the person's profile,
// whose name may be in any script.
#include "main/keep_asked.h"
#include <windows.h>
#include <cstdlib>
#include <cwchar>

std::string Keep_path_asked()
{
    const wchar_t* path = _wgetenv(L"TINTORA_KEEP");
    if (!path || !*path)
        return "";
    const int length = static_cast<int>(std::wcslen(path));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, path, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, path, length, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}
