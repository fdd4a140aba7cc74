// Where a reader's position falls in a picture file as an editor shows it:
// line and column, both from 1. The positions are those of the text stream
// the reader reads (ftell), so this is the one place that knows how they
// relate to the file; a platform whose ftell counts differently adapts here.
#pragma once
#include <string_view>
#include <vector>

struct Text_place {
    int line;
    int column;
};

// The text as the reader took it (after text-mode translation), where each
// of its lines starts, and the column of every position (so that even a
// megabyte on one line is placed at once).
struct Text_lines {
    std::string_view text;
    std::vector<long> starts;
    std::vector<int> columns;   // one per position, and one for the end
};

Text_lines Text_lines_create(std::string_view text);
// Line and column of `offset`; an offset at or past the end of the text
// names the place just after its last character. A tab is one column, a
// CR LF already one line end; the bytes of one UTF-8 character are one column.
Text_place Text_place_of(const Text_lines& lines, long offset);
