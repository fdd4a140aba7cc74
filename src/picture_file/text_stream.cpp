// The text-mode rules, applied once to the decoded text: a CR LF pair is
// one line end, and a Ctrl-Z ends the text wherever it stands.
#include "picture_file/text_stream.h"

Picture_text Picture_text_make(std::string_view stored)
{
    const bool longer = stored.size() > text_limit;
    Text_decoded decoded = Text_decode(stored.substr(0, text_limit), !longer);
    Picture_text out;
    out.encoding = decoded.encoding;
    out.broken = std::move(decoded.broken);
    const std::string_view text = decoded.text;
    out.text.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\x1A') {
            out.ctrl_z = true;
            out.hidden = text.substr(k + 1);
            break;
        }
        if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n')
            continue;   // the LF that follows is the line end
        out.text.push_back(c);
    }
    out.cut = longer && !out.ctrl_z && out.broken.what.empty();
    return out;
}

std::FILE* Text_open_bytes(std::string_view stored, int* read_error)
{
    return Text_stream_open(Picture_text_make(stored), read_error);
}
