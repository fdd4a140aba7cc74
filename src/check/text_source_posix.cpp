// The checker's text on POSIX: the painter's own text layer, whose ftell
// already counts translated characters (a CR LF is one).
#include "check/text_source.h"
#include "picture_file/file_open.h"

std::FILE* Check_text_open(const std::string& path, int& read_error, std::string& why)
{
    return Picture_file_open(path, read_error, why);
}

bool Check_text_close(std::FILE* text, const int& read_error, std::string& why)
{
    return Picture_file_close(text, read_error, why);
}

std::FILE* Check_scratch_open()
{
    return std::tmpfile();
}
