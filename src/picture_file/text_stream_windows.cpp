// The text stream on Windows, whose C runtime has no streams of the
// program's own: a binary scratch file, kept in memory where it can be,
// holding the text. Being binary, its ftell counts the characters taken.
#include "picture_file/text_stream.h"
#include <cerrno>
#include "picture_file/file_open.h"

namespace {

// *read_error while a cut text is being read: its end is not yet reached.
constexpr int cut_pending = -1;

}  // namespace

std::FILE* Text_stream_open(const Picture_text& text, int* read_error)
{
    *read_error = text.cut ? cut_pending : 0;
    std::FILE* stream = Scratch_file_open();
    if (!stream)
        return nullptr;
    if (std::fwrite(text.text.data(), 1, text.text.size(), stream) != text.text.size()) {
        std::fclose(stream);
        return nullptr;
    }
    std::rewind(stream);
    return stream;
}

void Text_stream_close(std::FILE* stream, int* read_error)
{
    if (*read_error == cut_pending)
        *read_error = std::feof(stream) ? EFBIG : 0;
    std::fclose(stream);
}
