// The picture file reader. The palette is read with the C library's
// formatted input, so its quirks are the library's own: a blank before a
// comma stops an entry early and shifts every later entry. The grid is read
// one character at a time with a cursor that starts at column 1, row 1.
#include "picture_file/file_read.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "picture_file/exename.h"
#include "picture_file/text_stream.h"

namespace {

// Drops characters up to and including the next line break.
void Line_skip(std::FILE* in)
{
    int c;
    do
        c = std::fgetc(in);
    while (c != '\n' && c != EOF);
}

std::string Folder_current()
{
    std::string folder(4096, '\0');
    while (!getcwd(folder.data(), folder.size())) {
        if (errno != ERANGE)
            return std::string("the working directory (") + std::strerror(errno) + ")";
        folder.resize(folder.size() * 2);
    }
    folder.resize(std::strlen(folder.c_str()));
    return folder;
}

const char* Filetype_describe(mode_t mode)
{
    if (S_ISDIR(mode))
        return "it is a directory, not a picture file";
    if (S_ISFIFO(mode))
        return "it is a pipe, not a picture file";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "it is a device, not a picture file";
    if (S_ISSOCK(mode))
        return "it is a socket, not a picture file";
    return "it is not a regular file";
}

void Failure_report(const std::string& name, const char* reason)
{
    std::fprintf(stderr, "Tintora: cannot read the picture file \"%s\" in %s: %s\n", name.c_str(),
                 Folder_current().c_str(), reason);
}

}  // namespace

void Picture_read(std::FILE* in, int squarecount, std::span<Square> squares, int colourcount,
                  std::span<Colour> colours, Colour bordercolour, std::FILE* report)
{
    // The palette: each entry "r,g,b", then one character dropped (normally
    // the line break; after a failed conversion, the character that stopped it).
    for (int k = 0; k < colourcount; ++k) {
        Colour& c = colours[static_cast<std::size_t>(k)];
        c = Colour{0, 0, 0};
        // How many fields were converted is of no use: those that were not
        // stay 0. (Named only because fortified builds want the count taken.)
        [[maybe_unused]] const int fields = std::fscanf(in, "%hd,%hd,%hd", &c.r, &c.g, &c.b);
        std::fgetc(in);
    }

    // The separator line is free text.
    Line_skip(in);

    // The grid. Row 0 and column 0 belong to the outline ring and are never
    // described. A character falling on column squarecount ends the row
    // whatever it is; reading stops at the first character of row squarecount.
    int i = 1;
    int j = 1;
    for (;;) {
        int c = std::fgetc(in);
        if (c == EOF)
            break;
        if (i == squarecount)
            c = '\n';
        if (j == squarecount)
            break;
        if (c == 'x') {
            squares[static_cast<std::size_t>(i * squarecount + j)].c = bordercolour;
            ++i;
        } else if (c == ' ') {
            ++i;
        } else if (c >= '0' && c <= '9') {
            // Digits may stand anywhere in a line without moving the cells.
        } else if (c == '\n') {
            i = 1;
            ++j;
        } else {
            std::fputs("WHAT?\n", report);
        }
    }
}

bool File_read(int squarecount, std::span<Square> squares, int colourcount, std::span<Colour> colours,
               Colour bordercolour, const char* path)
{
    const std::string name = exename(path ? path : "");

    // Anything but a regular file is refused before it is even opened:
    // opening a device can have effects of its own, and a socket cannot be
    // opened at all. It is then opened without blocking, so that a pipe put
    // in its place meanwhile cannot hang the start, and checked again.
    struct stat st{};
    if (stat(name.c_str(), &st) != 0) {
        Failure_report(name, std::strerror(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        Failure_report(name, Filetype_describe(st.st_mode));
        return false;
    }
    const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        Failure_report(name, std::strerror(errno));
        return false;
    }
    if (fstat(fd, &st) != 0) {
        Failure_report(name, std::strerror(errno));
        close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        Failure_report(name, Filetype_describe(st.st_mode));
        close(fd);
        return false;
    }
    std::FILE* raw = fdopen(fd, "r");
    if (!raw) {
        Failure_report(name, std::strerror(errno));
        close(fd);
        return false;
    }
    int read_error = 0;
    std::FILE* in = Text_open(raw, &read_error);
    if (!in) {
        Failure_report(name, "out of memory");
        return false;
    }
    Picture_read(in, squarecount, squares, colourcount, colours, bordercolour, stdout);
    std::fclose(in);
    if (read_error == EFBIG) {
        const std::string why = "it goes on for more than " + std::to_string(text_limit >> 20) +
                                " MiB before its grid ends, far longer than any picture";
        Failure_report(name, why.c_str());
        return false;
    }
    if (read_error != 0) {
        Failure_report(name, std::strerror(read_error));
        return false;
    }
    return true;
}
