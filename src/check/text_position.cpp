// Line and column of a position in the translated text of a picture file.
// On POSIX the text layer's ftell counts translated characters, so the
// position is an index into the same translated text.
#include "check/text_position.h"
#include <algorithm>

Text_lines Text_lines_create(std::string_view text)
{
    Text_lines lines{text, {0}};
    for (std::size_t k = 0; k < text.size(); ++k)
        if (text[k] == '\n')
            lines.starts.push_back(static_cast<long>(k + 1));
    return lines;
}

Text_place Text_place_of(const Text_lines& lines, long offset)
{
    offset = std::clamp(offset, 0L, static_cast<long>(lines.text.size()));
    const auto after = std::upper_bound(lines.starts.begin(), lines.starts.end(), offset);
    const long start = *(after - 1);
    int column = 1;
    for (long k = start; k < offset; ++k) {
        const auto byte = static_cast<unsigned char>(lines.text[static_cast<std::size_t>(k)]);
        const bool continues = (byte & 0xC0) == 0x80 && k > start &&
                               (static_cast<unsigned char>(lines.text[static_cast<std::size_t>(k - 1)]) & 0x80);
        if (!continues)
            ++column;
    }
    return Text_place{static_cast<int>(after - lines.starts.begin()), column};
}
