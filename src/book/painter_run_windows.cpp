// Running the painter on Windows: CreateProcessW with the painter's path as
// the program, a command line whose first word is the picture's name (the
// painter takes its name from there), and the picture's folder as working
// folder, and the environment the book was given (SDL_STDIO_REDIRECT=0
// added); standard error comes back through an inheritable pipe.
#include "book/painter_run.h"
#include <windows.h>
#include <algorithm>
#include <cctype>
#include <cwchar>
#include <cwctype>
#include "picture_file/utf16_windows.h"

namespace {

// A Unicode environment block: "NAME=value" entries, each ended by a null,
// the whole ended by one more; sorted by name without regard to case, as
// Windows keeps them.
std::wstring Environment_block(const std::vector<std::string>& environment)
{
    std::vector<std::wstring> entries;
    for (const std::string& entry : environment)
        entries.push_back(Wide_of(entry));
    std::sort(entries.begin(), entries.end(), [](const std::wstring& a, const std::wstring& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
            return std::towupper(x) < std::towupper(y);
        });
    });
    std::wstring block;
    for (const std::wstring& entry : entries)
        block += entry + L'\0';
    block += L'\0';
    return block;
}

}  // namespace

std::vector<std::string> Environment_capture()
{
    std::vector<std::string> environment;
    wchar_t* block = GetEnvironmentStringsW();
    if (!block)
        return environment;
    for (const wchar_t* entry = block; *entry; entry += std::wcslen(entry) + 1)
        environment.push_back(Utf8_of(entry));
    FreeEnvironmentStringsW(block);
    return environment;
}

Painter_outcome Painter_run(const std::string& painter, const std::string& name, const std::string& folder,
                            const std::vector<std::string>& environment, const std::vector<std::string>& arguments)
{
    Painter_outcome outcome;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    if (!CreatePipe(&read_end, &write_end, &inheritable, 0)) {
        outcome.errors = "Tintora: cannot start the painter: " + System_message(GetLastError());
        return outcome;
    }
    // Only the write end goes to the painter.
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = write_end;
    // The first word, between double quotes so that a name with blanks
    // ("Bob's cat") stays one word: Windows takes a quoted first word up to
    // the next '"', with no escapes, and an apostrophe is a plain
    // character to it. No picture name holds '"', which no Windows file
    // name can.
    std::wstring command_line = L"\"" + Wide_of(name) + L"\"";
    for (const std::string& word : arguments)
        command_line += L" \"" + Wide_of(word) + L"\"";
    const std::wstring program = Wide_of(painter);
    const std::wstring working = Wide_of(folder);
    // SDL's start-up layer in the painter would send its standard error to
    // stderr.txt beside the .exe (and nowhere in a folder the person may not
    // write to) instead of the pipe: the book asks for the console streams,
    // so that the painter's message comes back and is shown in the book.
    std::vector<std::string> painter_environment;
    for (const std::string& entry : environment)
        if (entry.size() < 19 || !std::equal(entry.begin(), entry.begin() + 19, "SDL_STDIO_REDIRECT=",
                                             [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; }))
            painter_environment.push_back(entry);
    painter_environment.push_back("SDL_STDIO_REDIRECT=0");
    std::wstring block = Environment_block(painter_environment);
    PROCESS_INFORMATION process{};
    const BOOL created = CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT, block.data(), working.c_str(), &startup, &process);
    const DWORD create_error = created ? 0 : GetLastError();
    CloseHandle(write_end);
    if (!created) {
        CloseHandle(read_end);
        outcome.errors = "Tintora: cannot start the painter " + painter + " in " + folder + ": " +
                         System_message(create_error);
        return outcome;
    }
    CloseHandle(process.hThread);
    // To the end, whatever the painter writes: a painter whose pipe is full
    // waits for the book, and would never end if the book waited for it.
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0)
        Painter_errors_keep(outcome.errors, std::string_view(buffer, got));
    CloseHandle(read_end);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    outcome.started = true;
    outcome.status = static_cast<int>(code);
    return outcome;
}
