// The book's request on Windows: read through the wide-character
// environment, since the colourings folder lies under the person's profile,
// whose name may be in any script.
#include "main/keep_asked.h"
#include <windows.h>
#include <cstdlib>
#include <cwchar>
#include "picture_file/utf16_windows.h"

std::string Keep_path_asked()
{
    const wchar_t* path = _wgetenv(L"TINTORA_KEEP");
    if (!path || !*path)
        return "";
    return Utf8_of(path);
}

void Keep_written(const std::string&)
{
}
