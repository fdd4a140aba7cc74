// The program's path on Windows: the first word of the command line as the
// person or Explorer typed it, read in UTF-16 and given as UTF-8. The argv
// that SDL's start-up layer makes comes through the ANSI code page, where a
// Cyrillic, Greek or Chinese name on an English Windows turns into '?'.
#include "main/program_path.h"
#include <windows.h>
#include <string_view>
#include "picture_file/utf16_windows.h"

// The C runtime's own reading of the command line in UTF-16, by the rules
// it reads argv by (msvcrt.dll, which every program here already uses).
extern "C" {
struct Runtime_startup {
    int newmode;
};
int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** env, int glob, Runtime_startup* startup);
}

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
    return Utf8_of(word);
}

std::vector<std::string> Program_arguments(int argc, char* argv[])
{
    int count = 0;
    wchar_t** wide = nullptr;
    wchar_t** environment = nullptr;
    Runtime_startup startup{0};
    if (__wgetmainargs(&count, &wide, &environment, 0, &startup) < 0 || !wide)
        return std::vector<std::string>(argv, argv + argc);
    std::vector<std::string> arguments;
    for (int k = 0; k < count; ++k)
        arguments.push_back(Utf8_of(wide[k] ? wide[k] : L""));
    return arguments;
}
