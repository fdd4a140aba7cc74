// The command line on Windows, read in UTF-16 (CommandLineToArgvW) and given
// as UTF-8: the argv of SDL's start-up layer comes through the ANSI code
// page, where a Cyrillic file name on an English Windows turns into '?'.
#include "draw/arguments.h"
#include <windows.h>
#include <shellapi.h>

std::vector<std::string> Arguments_utf8(int argc, char* argv[])
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!words)
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    std::vector<std::string> arguments;
    for (int k = 1; k < count; ++k) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, words[k], -1, nullptr, 0, nullptr, nullptr);
        std::string word(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, words[k], -1, word.data(), size, nullptr, nullptr);
        arguments.push_back(word);
    }
    LocalFree(words);
    return arguments;
}
