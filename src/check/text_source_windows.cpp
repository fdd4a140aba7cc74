// The checker's text on Windows. The C runtime's text mode translates as
// the painter reads (CR LF to one line end, Ctrl-Z ends the text), but its
// ftell gives offsets in the file, a CR LF counting two. So the text is
// taken once through that text mode and handed on in a binary scratch
// stream, where the reader meets the same characters and ftell counts them.
#include "check/text_source.h"
#include <windows.h>
#include <string>
#include "picture_file/file_open.h"

std::FILE* Check_scratch_open()
{
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || !GetTempFileNameW(folder, L"tin", 0, name))
        return nullptr;
    // T: kept in memory where it can be; D: removed when closed.
    return _wfopen(name, L"w+bTD");
}

std::FILE* Check_text_open(const std::string& path, int& read_error, std::string& why)
{
    std::FILE* in = Picture_file_open(path, read_error, why);
    if (!in)
        return nullptr;
    std::string text;
    for (int c = std::fgetc(in); c != EOF; c = std::fgetc(in))
        text.push_back(static_cast<char>(c));
    if (!Picture_file_close(in, read_error, why))
        return nullptr;
    read_error = 0;
    std::FILE* copy = Check_scratch_open();
    if (!copy) {
        why = "no scratch file to read it through";
        return nullptr;
    }
    if (std::fwrite(text.data(), 1, text.size(), copy) != text.size()) {
        std::fclose(copy);
        why = "no room for a scratch copy of it";
        return nullptr;
    }
    std::rewind(copy);
    return copy;
}

bool Check_text_close(std::FILE* text, const int&, std::string&)
{
    std::fclose(text);
    return true;
}
