// The text-mode layer: a stdio cookie stream that reads the file's
// descriptor, translates line ends and stops at Ctrl-Z on its way to the
// reader.
#include "picture_file/text_stream.h"
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <unistd.h>

namespace {

constexpr int ctrl_z = 0x1A;

struct Text_source {
    int fd;
    std::array<unsigned char, 1 << 12> buf;
    std::size_t pos = 0;
    std::size_t len = 0;
    std::size_t taken = 0;    // bytes read from fd so far
    off64_t handed = 0;       // characters handed to the stream, after translation
    bool ended = false;       // end of file, Ctrl-Z, a read error or the limit: nothing more comes
    int* error;
};

ssize_t Raw_read(int fd, unsigned char* out, std::size_t size)
{
    ssize_t n;
    do
        n = read(fd, out, size);
    while (n < 0 && errno == EINTR);
    return n;
}

// Refills the buffer; false at the end of the raw input.
bool Text_fill(Text_source& src)
{
    if (src.ended)
        return false;
    src.pos = 0;
    src.len = 0;
    if (src.taken == text_limit) {
        // A file of exactly text_limit bytes is still whole: look for one more.
        unsigned char one;
        const ssize_t n = Raw_read(src.fd, &one, 1);
        *src.error = n > 0 ? EFBIG : n < 0 ? errno : 0;
        src.ended = true;
        return false;
    }
    const ssize_t n = Raw_read(src.fd, src.buf.data(), std::min(src.buf.size(), text_limit - src.taken));
    if (n <= 0) {
        *src.error = n < 0 ? errno : 0;
        src.ended = true;
        return false;
    }
    src.len = static_cast<std::size_t>(n);
    src.taken += src.len;
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
    src.handed += static_cast<off64_t>(n);
    return static_cast<ssize_t>(n);
}

// The stream cannot be moved; it only says where it is, so that ftell works.
int Text_cookie_seek(void* cookie, off64_t* offset, int whence)
{
    if (whence != SEEK_CUR || *offset != 0) {
        errno = ESPIPE;
        return -1;
    }
    *offset = static_cast<Text_source*>(cookie)->handed;
    return 0;
}

int Text_cookie_close(void* cookie)
{
    auto* src = static_cast<Text_source*>(cookie);
    close(src->fd);
    delete src;
    return 0;
}

}  // namespace

std::FILE* Text_open(int fd, int* read_error)
{
    *read_error = 0;
    auto* src = new Text_source{};
    src->fd = fd;
    src->error = read_error;
    cookie_io_functions_t io{};
    io.read = Text_cookie_read;
    io.seek = Text_cookie_seek;
    io.close = Text_cookie_close;
    std::FILE* text = fopencookie(src, "r", io);
    if (!text) {
        close(fd);
        delete src;
    }
    return text;
}
