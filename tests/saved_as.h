// A picture's text saved as a Windows editor saves it: with CR LF line
// ends, with a UTF-8 byte-order mark, or as UTF-16 with its mark (Notepad's
// "Unicode" and "Unicode big endian"). The tests compare each with the
// plain UTF-8 file it comes from.
#pragma once
#include <string>
#include <string_view>

enum class Saved_as { utf8_marked, utf16le, utf16be };

inline std::string Crlf_of(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\n')
            out.push_back('\r');
        out.push_back(c);
    }
    return out;
}

// `text` is UTF-8; a byte that starts no valid character is kept as the
// character of that number (as an editor would show it in Latin-1).
inline std::string Saved_text(std::string_view text, Saved_as as)
{
    if (as == Saved_as::utf8_marked)
        return "\xEF\xBB\xBF" + std::string(text);
    std::string out;
    const auto unit = [&](unsigned u) {
        const char high = static_cast<char>(u >> 8);
        const char low = static_cast<char>(u & 0xFF);
        out += as == Saved_as::utf16le ? std::string{low, high} : std::string{high, low};
    };
    unit(0xFEFF);
    for (std::size_t k = 0; k < text.size();) {
        const auto b = static_cast<unsigned char>(text[k]);
        const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        bool valid = length > 0 && k + length <= text.size();
        char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        for (std::size_t m = 1; valid && m < length; ++m) {
            const auto next = static_cast<unsigned char>(text[k + m]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid) {
            unit(b);
            ++k;
            continue;
        }
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(static_cast<unsigned>(c));
        }
        k += length;
    }
    return out;
}
