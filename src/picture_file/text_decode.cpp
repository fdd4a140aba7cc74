// Byte-order marks and UTF-16, turned into the UTF-8 bytes the same text
// has when saved without a mark.
#include "picture_file/text_decode.h"
#include <cstdio>

namespace {

void Utf8_append(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string Unit_hex(unsigned unit)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", unit);
    return hex;
}

void Utf16_decode(std::string_view stored, bool whole, bool big_endian, Text_decoded& out)
{
    const auto unit_at = [&](std::size_t k) {
        const auto first = static_cast<unsigned char>(stored[k]);
        const auto second = static_cast<unsigned char>(stored[k + 1]);
        return big_endian ? (first << 8 | second) : (second << 8 | first);
    };
    out.text.reserve(stored.size() / 2);
    std::size_t k = 2;   // after the mark
    while (k + 1 < stored.size()) {
        const unsigned unit = static_cast<unsigned>(unit_at(k));
        if (unit < 0xD800 || unit > 0xDFFF) {
            Utf8_append(out.text, unit);
            k += 2;
            continue;
        }
        if (unit <= 0xDBFF && k + 3 < stored.size()) {
            const unsigned low = static_cast<unsigned>(unit_at(k + 2));
            if (low >= 0xDC00 && low <= 0xDFFF) {
                Utf8_append(out.text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                k += 4;
                continue;
            }
        }
        if (unit <= 0xDBFF && k + 3 >= stored.size() && !whole)
            return;   // its partner lies past the limit
        out.broken.stored = k;
        out.broken.what = unit <= 0xDBFF ? "a first half of a UTF-16 pair (" + Unit_hex(unit) + ") without its second"
                                         : "a second half of a UTF-16 pair (" + Unit_hex(unit) + ") without its first";
        return;
    }
    if (k < stored.size() && whole) {
        out.broken.stored = k;
        out.broken.what = "a single byte at the end, half a UTF-16 character";
    }
}

}  // namespace

Text_decoded Text_decode(std::string_view stored, bool whole)
{
    Text_decoded out;
    if (stored.starts_with("\xEF\xBB\xBF")) {
        out.encoding = Text_encoding::utf8_marked;
        out.text = stored.substr(3);
    } else if (stored.starts_with("\xFF\xFE") || stored.starts_with("\xFE\xFF")) {
        out.encoding = stored[0] == '\xFF' ? Text_encoding::utf16le : Text_encoding::utf16be;
        Utf16_decode(stored, whole, out.encoding == Text_encoding::utf16be, out);
    } else {
        out.text = stored;
    }
    return out;
}

const char* Text_encoding_name(Text_encoding encoding)
{
    switch (encoding) {
    case Text_encoding::utf8_marked:
        return "UTF-8 with a byte-order mark";
    case Text_encoding::utf16le:
        return "UTF-16 (Notepad's Unicode)";
    case Text_encoding::utf16be:
        return "UTF-16 big-endian (Notepad's Unicode big endian)";
    case Text_encoding::utf8:
        break;
    }
    return "UTF-8";
}
