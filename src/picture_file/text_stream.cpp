// The text-mode layer: a stdio cookie stream that translates line ends and
// stops at Ctrl-Z on its way from the raw file to the reader.
#include "picture_file/text_stream.h"
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>

namespace {

constexpr int ctrl_z = 0x1A;

struct Text_source {
    std::FILE* raw;
    std::array<unsigned char, 1 << 16> buf;
    std::size_t pos = 0;
    std::size_t len = 0;
    std::size_t taken = 0;  // bytes read from `raw` so far
    bool ended = false;     // end of file, Ctrl-Z, a read error or the limit: nothing more comes
    int* error;
};

// Refills the buffer; false at the end of the raw input.
bool Text_fill(Text_source& src)
{
    if (src.ended)
        return false;
    src.pos = 0;
    if (src.taken == text_limit) {
        // A file of exactly text_limit bytes is still whole: look for one more.
        src.len = 0;
        if (std::fgetc(src.raw) != EOF)
            *src.error = EFBIG;
        else if (std::ferror(src.raw))
            *src.error = errno ? errno : EIO;
        src.ended = true;
        return false;
    }
    src.len = std::fread(src.buf.data(), 1, std::min(src.buf.size(), text_limit - src.taken), src.raw);
    src.taken += src.len;
    if (src.len == 0) {
        if (std::ferror(src.raw))
            *src.error = errno ? errno : EIO;
        src.ended = true;
        return false;
    }
    return true;
}

int Text_peek(Text_source& src)
{
    if (src.pos == src.len && !Text_fill(src))
        return EOF;
    return src.buf[src.pos];
}

ssize_t Text_cookie_read(void* cookie, char* out, std::size_t size)
{
    auto& src = *static_cast<Text_source*>(cookie);
    std::size_t n = 0;
    while (n < size) {
        // What has been read is handed on before more is read, so the file
        // is read no further than the reader's last request.
        if (n > 0 && src.pos == src.len)
            break;
        int c = Text_peek(src);
        if (c == EOF)
            break;
        if (c == ctrl_z) {
            src.ended = true;
            src.pos = src.len;
            break;
        }
        ++src.pos;
        if (c == '\r' && Text_peek(src) == '\n') {
            ++src.pos;
            c = '\n';
        }
        out[n++] = static_cast<char>(c);
    }
    return static_cast<ssize_t>(n);
}

int Text_cookie_close(void* cookie)
{
    auto* src = static_cast<Text_source*>(cookie);
    const int result = std::fclose(src->raw);
    delete src;
    return result;
}

}  // namespace

std::FILE* Text_open(std::FILE* raw, int* read_error)
{
    *read_error = 0;
    auto* src = new Text_source{};
    src->raw = raw;
    src->error = read_error;
    cookie_io_functions_t io{};
    io.read = Text_cookie_read;
    io.close = Text_cookie_close;
    std::FILE* text = fopencookie(src, "r", io);
    if (!text) {
        std::fclose(raw);
        delete src;
    }
    return text;
}
