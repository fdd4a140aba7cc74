// What saving an opened file would change in it: the text the maker would
// write, compared line by line with the file's text as the reader took it,
// so that every character a save drops or changes is named before the file
// is touched. Plain logic.
#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "picture_file/text_stream.h"

// One short line for the person per line that differs ("line 10 loses
// \"1\""), in the file's order. Line ends and trailing blanks are no
// difference: the maker always writes them its own way. `written` is the
// maker's text with "\n" line ends.
std::vector<std::string> Save_changes(const Picture_text& held, std::string_view written);
