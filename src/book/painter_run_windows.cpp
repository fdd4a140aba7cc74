// Running the painter on Windows: CreateProcessW with the painter's path as
// the program, a command line whose first word is the picture's name (the
// painter takes its name from there), and the picture's folder as working
// folder; standard error comes back through an inheritable pipe.
#include "book/painter_run.h"
#include <windows.h>

namespace {

constexpr std::size_t errors_kept = 64 * 1024;   // a painter's message is one line

std::wstring Wide_of(const std::string& text)
{
    if (text.empty())
        return L"";
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string System_message(DWORD code)
{
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length && text) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        message.resize(static_cast<std::size_t>(bytes));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), message.data(), bytes, nullptr, nullptr);
    }
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

}  // namespace

Painter_outcome Painter_run(const std::string& painter, const std::string& name, const std::string& folder)
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
    // The first word, quoted so that a name with blanks stays one word; a
    // picture name never holds a quote the painter would see (names with
    // '"' cannot exist on Windows).
    std::wstring command_line = L"\"" + Wide_of(name) + L"\"";
    const std::wstring program = Wide_of(painter);
    const std::wstring working = Wide_of(folder);
    PROCESS_INFORMATION process{};
    const BOOL created = CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        working.c_str(), &startup, &process);
    const DWORD create_error = created ? 0 : GetLastError();
    CloseHandle(write_end);
    if (!created) {
        CloseHandle(read_end);
        outcome.errors = "Tintora: cannot start the painter " + painter + " in " + folder + ": " +
                         System_message(create_error);
        return outcome;
    }
    CloseHandle(process.hThread);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0)
        if (outcome.errors.size() < errors_kept)
            outcome.errors.append(buffer, got);
    CloseHandle(read_end);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    outcome.started = true;
    outcome.status = static_cast<int>(code);
    return outcome;
}
