// Line and column of a position in the translated text of a picture file.
// On POSIX the text layer's ftell counts translated characters, so the
// position is an index into the same translated text.
#include "check/text_position.h"
#include <algorithm>

Text_lines Text_lines_create(std::string_view text)
{
    Text_lines lines{text, {0}, {}};
    lines.columns.reserve(text.size() + 1);
    int column = 1;
    for (std::size_t k = 0; k < text.size(); ++k) {
        lines.columns.push_back(column);
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte == '\n') {
            lines.starts.push_back(static_cast<long>(k + 1));
            column = 1;
            continue;
        }
        // The bytes that continue a UTF-8 character share its column.
        const bool continued = k + 1 < text.size() && (static_cast<unsigned char>(text[k + 1]) & 0xC0) == 0x80 &&
                               (byte & 0x80);
        if (!continued)
            ++column;
    }
    lines.columns.push_back(column);
    return lines;
}

Text_place Text_place_of(const Text_lines& lines, long offset)
{
    offset = std::clamp(offset, 0L, static_cast<long>(lines.text.size()));
    const auto after = std::upper_bound(lines.starts.begin(), lines.starts.end(), offset);
    return Text_place{static_cast<int>(after - lines.starts.begin()), lines.columns[static_cast<std::size_t>(offset)]};
}
