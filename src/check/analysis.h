// The checker's explanations share one record: the reader's trace, the
// text it read with its lines and columns, and the check being filled in.
// Each part of the file is explained in a file of its own: the palette and
// the title line (palette_explain.cpp), the grid and its regions
// (grid_explain.cpp), how the text was stored and where it ended
// (text_explain.cpp).
#pragma once
#include <string>
#include <string_view>
#include <vector>
#include "check/picture_check.h"
#include "check/text_position.h"

struct Analysis {
    const Picture_trace& trace;
    const Picture_source& source;
    std::string_view text;
    Text_lines lines;
    Picture_check& check;
};

void Palette_explain(Analysis& a);
void Swatches_explain(Analysis& a);
void Title_explain(Analysis& a);
void Grid_explain(Analysis& a);
void Regions_explain(Analysis& a);
void Encoding_explain(Analysis& a);
void Text_end_explain(Analysis& a);

// A diagnostic at `offset` in the text read.
void Say(Analysis& a, long offset, Severity severity, std::string message);
int Line_of(const Analysis& a, long offset);
// Just past the text's last character.
long End_of(const Analysis& a);
// Where to say that the file ends: after the last character of its last
// line (a final line end starts no line of its own).
long Last_line_end_of(const Analysis& a);
// The first character at or after `offset` that is not blank, as fscanf's
// number conversion skips to it.
long Nonblank_from(const Analysis& a, long offset);
// The rest of the line from `offset`, without its line end; at most
// `limit` characters of it, so that quoting from a very long line stays cheap.
std::string_view Rest_of_line(const Analysis& a, long offset, std::size_t limit = 64);
std::string_view Line_text(const Analysis& a, int line);

bool Blank_is(int c);
bool Nonblank_text(std::string_view text);
std::string Colour_text(Colour c);
// A character named so a person can find it: "tab", "'X'", "byte 0x00".
std::string Character_name(int c);
// A piece of the file quoted in a message: at most `limit` characters,
// non-printing ones as '?'.
std::string Quote(std::string_view text, std::size_t limit = 40);
