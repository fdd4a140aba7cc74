// The program's path on Windows: the first word of the command line as the
// person or Explorer typed it, read in UTF-16 and given as UTF-8. The argv
// that SDL's start-up layer makes comes through the ANSI code page, where a
// Cyrillic, Greek or Chinese name on an English Windows turns into '?'.
#include "main/program_path.h"
#include <windows.h>
#include <string_view>

namespace {

// The rule Windows itself uses for the program's name (CommandLineToArgvW):
// quotes, if it starts with one, up to the next quote; else up to the first
// blank. No backslash escapes in this word.
std::wstring_view Command_first_word(std::wstring_view line)
{
    if (!line.empty() && line.front() == L'"') {
        line.remove_prefix(1);
        return line.substr(0, line.find(L'"'));
    }
    return line.substr(0, line.find_first_of(L" \t"));
}

}  // namespace

std::string Program_path(int argc, char* argv[])
{
    const wchar_t* line = GetCommandLineW();
    const std::wstring_view word = Command_first_word(line ? line : L"");
    if (word.empty())
        return argc > 0 && argv[0] ? argv[0] : "";
    const int length = static_cast<int>(word.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, word.data(), length, nullptr, 0, nullptr, nullptr);
    std::string path(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, word.data(), length, path.data(), size, nullptr, nullptr);
    return path;
}
