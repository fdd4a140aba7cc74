// The bytes of a picture file as the reader wants them: UTF-8. A file saved
// by a Windows editor may start with a byte-order mark, or be UTF-16 with
// one ("Unicode" in Notepad); it reads exactly as the same text saved as
// UTF-8 without a mark. Any other file is taken byte for byte.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

enum class Text_encoding : unsigned char {
    utf8,          // no mark: the bytes as they are (any bytes at all)
    utf8_marked,   // EF BB BF first, skipped
    utf16le,       // FF FE first
    utf16be,       // FE FF first
};

// Where a UTF-16 file stops being text: the text ends there.
struct Text_break {
    std::size_t stored = 0;   // the offset in the file as stored
    std::string what;         // "" when the text is whole; else what was found there
};

struct Text_decoded {
    std::string text;   // UTF-8, without the mark
    Text_encoding encoding = Text_encoding::utf8;
    Text_break broken;
};

// Decodes `stored`, the file as stored. `whole` is false when the file goes
// on past `stored` (a file cut at the reading limit): a character cut in
// two at its end is then the limit's doing, not a break in the file.
// In UTF-16 each character becomes its UTF-8 bytes, so a character outside
// ASCII gives the reader what it gives in the UTF-8 file. A surrogate
// without its partner, or an odd byte at the end, is a break: the text
// ends before it.
Text_decoded Text_decode(std::string_view stored, bool whole = true);

// How the encoding is named to a person: "UTF-16 (Notepad's Unicode)".
const char* Text_encoding_name(Text_encoding encoding);
