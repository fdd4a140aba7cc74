// Typed text. SDL 1.2 hands over one UTF-16 unit per key press; a character
// beyond the Basic Multilingual Plane would come as two presses' worth of
// surrogates, which no keyboard layout types, so a lone surrogate is dropped.
#include "draw/text_input.h"

bool Text_type(std::string& text, std::uint16_t unicode)
{
    if (unicode < 0x20 || unicode == 0x7F || (unicode >= 0x80 && unicode < 0xA0) ||
        (unicode >= 0xD800 && unicode < 0xE000))
        return false;
    if (unicode < 0x80) {
        text += static_cast<char>(unicode);
    } else if (unicode < 0x800) {
        text += static_cast<char>(0xC0 | (unicode >> 6));
        text += static_cast<char>(0x80 | (unicode & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (unicode >> 12));
        text += static_cast<char>(0x80 | ((unicode >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (unicode & 0x3F));
    }
    return true;
}

void Text_erase_last(std::string& text)
{
    while (!text.empty()) {
        const auto last = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((last & 0xC0) != 0x80)
            return;
    }
}

std::string Text_drawable(const std::string& text)
{
    std::string shown;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F)
            shown += static_cast<char>(c);
        else if ((c & 0xC0) != 0x80)
            shown += '?';
    }
    return shown;
}
