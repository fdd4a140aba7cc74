// The rule for new picture names. "Letters and digits of any script" is
// taken as: ASCII letters and digits, and every character beyond ASCII
// except the blanks, punctuation and symbols of Latin-1 and of the general,
// CJK and full-width punctuation blocks, the private use area and the
// characters that are no characters (surrogates, U+FFFE, U+FFFF).
#include "picture_file/picture_name.h"
#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::size_t name_limit = 60;   // characters: a card shows a title, not a name

// Decodes the UTF-8 character at `at`; -1 for a malformed sequence.
long Utf8_next(std::string_view text, std::size_t& at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(at);
    int extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
                                 : lead >= 0xF0 && lead < 0xF5 ? 3 : -1;
    if (extra < 0 || at + static_cast<std::size_t>(extra) >= text.size() + (extra == 0 ? 1 : 0))
        return ++at, -1;   // not a lead byte, or the text ends inside the character
    long code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char next = byte(at + static_cast<std::size_t>(k));
        if ((next & 0xC0) != 0x80)
            return ++at, -1;
        code = (code << 6) | (next & 0x3F);
    }
    at += static_cast<std::size_t>(extra) + 1;
    const long least[] = {0, 0x80, 0x800, 0x10000};
    return code < least[extra] || code > 0x10FFFF ? -1 : code;
}

bool Letter_or_digit(long c)
{
    if (c < 0x80)
        return std::isalnum(static_cast<int>(c)) != 0;
    if (c < 0xC0)
        return c == 0xAA || c == 0xB5 || c == 0xBA;   // ª µ º
    if (c == 0xD7 || c == 0xF7)                        // × ÷
        return false;
    const std::array<std::pair<long, long>, 7> not_letters{{
        {0x2000, 0x2BFF},   // blanks, punctuation, arrows, symbols
        {0x3000, 0x303F},   // CJK blanks and punctuation
        {0xD800, 0xDFFF},   // surrogates
        {0xE000, 0xF8FF},   // private use
        {0xFE10, 0xFE6F},   // vertical and small forms
        {0xFF00, 0xFF0F},   // full-width punctuation
        {0xFFF0, 0xFFFF},   // specials
    }};
    return std::none_of(not_letters.begin(), not_letters.end(),
                        [&](const auto& range) { return c >= range.first && c <= range.second; });
}

std::string Upper_ascii(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

}  // namespace

bool Name_device_is(std::string_view stem)
{
    stem = stem.substr(0, stem.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.remove_suffix(1);
    const std::string upper = Upper_ascii(stem);
    if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL")
        return true;
    if (upper.size() < 4 || (upper.compare(0, 3, "COM") != 0 && upper.compare(0, 3, "LPT") != 0))
        return false;
    const std::string_view number = std::string_view(upper).substr(3);
    return (number.size() == 1 && number[0] >= '0' && number[0] <= '9') || number == "\xC2\xB9" ||
           number == "\xC2\xB2" || number == "\xC2\xB3";
}

std::string Picture_name_problem(std::string_view name)
{
    if (name.empty())
        return "a picture needs a name";
    std::size_t characters = 0;
    for (std::size_t at = 0; at < name.size(); ++characters) {
        const char ascii = name[at];
        const long c = Utf8_next(name, at);
        if (c < 0)
            return "the name is not readable text (UTF-8)";
        if (c == '.')
            return "a name has no '.' (the file's name is the name and .txt)";
        if (c != '-' && !Letter_or_digit(c)) {
            std::string why = "a name has only letters, digits and '-', not ";
            if (c == ' ')
                why += "blanks";
            else if (c < 0x80)
                why.append(1, '\'').append(1, ascii).append(1, '\'');
            else
                why += "that sign";
            return why;
        }
    }
    if (characters > name_limit)
        return "a name has at most " + std::to_string(name_limit) + " characters";
    if (Name_device_is(name))
        return "Windows keeps the name " + std::string(name) + " for a device: no file can have it";
    return "";
}

namespace {

// What separates words in a title: blanks of every width, and '-' and '_'.
bool Word_gap(long c)
{
    return c == ' ' || c == '\t' || c == '-' || c == '_' || c == 0xA0 || (c >= 0x2000 && c <= 0x200A) ||
           c == 0x202F || c == 0x205F || c == 0x3000;
}

// Lower case for the scripts whose letters have a simple one: ASCII,
// Latin-1, Latin Extended-A, Greek and Cyrillic. Any other letter stays as
// it is (most scripts have no case).
long Lower(long c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F))
        return c + 0x20;
    if (c >= 0x400 && c <= 0x40F)
        return c + 0x50;
    if (c == 0x386)
        return 0x3AC;
    if (c >= 0x388 && c <= 0x38A)
        return c + 0x25;
    if (c == 0x38C || c == 0x38E || c == 0x38F)
        return c + (c == 0x38C ? 0x40 : 0x3F);
    if (c == 0x130)
        return 'i';
    // Latin Extended-A pairs its letters upper then lower, but for two runs
    // that start one later.
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return c | 1;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 ? c + 1 : c;
    if (c == 0x178)
        return 0xFF;
    return c;
}

void Utf8_append(std::string& text, long c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
        return;
    }
    const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    const long lead[] = {0, 0xC0, 0xE0, 0xF0};
    text += static_cast<char>(lead[extra] | (c >> (6 * extra)));
    for (int k = extra - 1; k >= 0; --k)
        text += static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
}

}  // namespace

std::string Picture_name_offer(std::string_view title, std::string_view otherwise)
{
    std::string name;
    std::size_t characters = 0;
    bool gap = false;
    for (std::size_t at = 0; at < title.size();) {
        const long c = Utf8_next(title, at);
        if (Word_gap(c)) {
            gap = !name.empty();
            continue;
        }
        if (c < 0 || !Letter_or_digit(c))
            continue;
        if (characters + (gap ? 2 : 1) > name_limit)
            break;
        if (gap) {
            name += '-';
            ++characters;
            gap = false;
        }
        Utf8_append(name, Lower(c));
        ++characters;
    }
    if (!Picture_name_problem(name).empty())
        return std::string(otherwise);
    return name;
}
