// The picture file's text for the reader: the bytes read once by the
// platform, decoded and put through the text-mode rules, handed over as a
// stream.
#include "picture_file/file_open.h"
#include <cerrno>
#include <cstring>

std::string Picture_file_text(const std::string& name, Picture_text& text)
{
    std::string stored;
    std::string why = Picture_file_bytes(name, stored);
    if (why.empty())
        text = Picture_text_make(stored);
    return why;
}

std::FILE* Picture_file_open(const std::string& name, int& read_error, std::string& why)
{
    Picture_text text;
    why = Picture_file_text(name, text);
    if (!why.empty())
        return nullptr;
    std::FILE* stream = Text_stream_open(text, &read_error);
    if (!stream)
        why = "no room for reading it";
    return stream;
}

bool Picture_file_close(std::FILE* text, int& read_error, std::string& why)
{
    Text_stream_close(text, &read_error);
    if (read_error == EFBIG)
        why = "it goes on for more than " + std::to_string(text_limit >> 20) +
              " MiB before its grid ends, far longer than any picture";
    else if (read_error != 0)
        why = std::strerror(read_error);
    return read_error == 0;
}
