// The text stream on POSIX: a stdio cookie stream over the text in memory.
#include "picture_file/text_stream.h"
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/types.h>

namespace {

struct Text_source {
    std::string text;
    std::size_t pos = 0;
    bool cut = false;
    int* error;
};

ssize_t Text_cookie_read(void* cookie, char* out, std::size_t size)
{
    auto& src = *static_cast<Text_source*>(cookie);
    const std::size_t n = std::min(size, src.text.size() - src.pos);
    if (n == 0 && src.cut)
        *src.error = EFBIG;
    std::memcpy(out, src.text.data() + src.pos, n);
    src.pos += n;
    return static_cast<ssize_t>(n);
}

// The stream cannot be moved; it only says where it is, so that ftell works.
int Text_cookie_seek(void* cookie, off64_t* offset, int whence)
{
    if (whence != SEEK_CUR || *offset != 0) {
        errno = ESPIPE;
        return -1;
    }
    *offset = static_cast<off64_t>(static_cast<Text_source*>(cookie)->pos);
    return 0;
}

int Text_cookie_close(void* cookie)
{
    delete static_cast<Text_source*>(cookie);
    return 0;
}

}  // namespace

std::FILE* Text_stream_open(const Picture_text& text, int* read_error)
{
    *read_error = 0;
    auto* src = new Text_source{text.text, 0, text.cut, read_error};
    cookie_io_functions_t io{};
    io.read = Text_cookie_read;
    io.seek = Text_cookie_seek;
    io.close = Text_cookie_close;
    std::FILE* stream = fopencookie(src, "r", io);
    if (!stream)
        delete src;
    return stream;
}

void Text_stream_close(std::FILE* stream, int*)
{
    std::fclose(stream);
}
