// Text typed in the window (a title, a picture's name), kept as UTF-8: SDL
// 1.2 gives each key press its character as UTF-16 when unicode key events
// are on. And how much of it the window's 8 x 8 font can show.
#pragma once
#include <cstdint>
#include <string>

// Adds the character of one key press; control characters are not text
// and add nothing. Returns whether anything was added.
bool Text_type(std::string& text, std::uint16_t unicode);
// Takes off the last character (a whole UTF-8 sequence).
void Text_erase_last(std::string& text);
// The text as the window's font draws it: printable ASCII as it is, every
// other character as one '?'. The window's caption shows the text whole.
std::string Text_drawable(const std::string& text);
