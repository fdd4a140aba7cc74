// The picture file as the maker writes it: eight "r,g,b" lines, the title
// line, then one line per board row from row 1, 'x' for an outline square
// and a blank for the rest, trailing blanks left off and the empty rows at
// the bottom too (the reader leaves rows it is not given uncoloured). Read
// back by the painter's reader it gives exactly this board and palette.
#pragma once
#include <string>
#include <string_view>
#include "draw/drawing.h"

// The file's bytes, each line ended by `line_end` ("\n", or "\r\n" on Windows).
std::string Picture_text_make(const Drawing& drawing, std::string_view line_end);
