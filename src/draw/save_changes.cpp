// Comparing the file's text with the maker's, line by line. The reader's
// own view of the text is compared (decoded, CR LF read as one line end), so
// that a file saved by Notepad differs only where its characters do; what
// the reader never took (the text after a Ctrl-Z, past a break in UTF-16 or
// past the reading limit) is dropped by a save, and named too.
#include "draw/save_changes.h"
#include <algorithm>
#include "board/geometry.h"

namespace {

std::vector<std::string_view> Lines_of(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::string_view Trimmed(std::string_view line)
{
    const std::size_t end = line.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : line.substr(0, end + 1);
}

// Quoted for the message box: at most 30 characters, controls as '?'.
std::string Quote(std::string_view text)
{
    std::string quoted = "\"";
    std::size_t characters = 0;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto c = static_cast<unsigned char>(text[k]);
        if ((c & 0xC0) != 0x80 && ++characters > 30) {
            quoted += "...";
            break;
        }
        quoted += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    return quoted + "\"";
}

// The characters of `held` left over when `kept` is matched into it in
// order; false when `kept` is not `held` with characters taken out.
bool Dropped_from(std::string_view held, std::string_view kept, std::string& dropped)
{
    std::size_t k = 0;
    for (const char c : held) {
        if (k < kept.size() && kept[k] == c)
            ++k;
        else
            dropped += c;
    }
    return k == kept.size();
}

// In the palette and the title a number or a word changes as a whole
// ("40" read as "0"), so those lines are shown whole; in a row each
// character is a square, so what a row loses is named alone.
std::string Line_change(std::size_t number, std::string_view held, std::string_view written)
{
    const std::string line = "line " + std::to_string(number);
    if (written.empty())
        return line + " (" + Quote(held) + ") is left out";
    if (held.empty())
        return line + " gets " + Quote(written);
    std::string dropped;
    if (number <= colourcount + 1 || !Dropped_from(held, written, dropped))
        return line + " (" + Quote(held) + ") becomes " + Quote(written);
    if (dropped.find_first_not_of(' ') == std::string::npos)
        return line + " loses " + std::to_string(dropped.size()) + (dropped.size() == 1 ? " blank" : " blanks");
    return line + " loses " + Quote(dropped);
}

}  // namespace

std::vector<std::string> Save_changes(const Picture_text& held, std::string_view written)
{
    std::string text = held.text;
    // A Ctrl-Z with only blanks after it, as old editors end a file, loses nothing.
    if (held.ctrl_z && held.hidden.find_first_not_of(" \t\r\n\x1A") != std::string::npos)
        text += "\x1A" + held.hidden;
    const std::vector<std::string_view> old_lines = Lines_of(text);
    const std::vector<std::string_view> new_lines = Lines_of(written);
    std::vector<std::string> changes;
    for (std::size_t k = 0; k < std::max(old_lines.size(), new_lines.size()); ++k) {
        const std::string_view was = k < old_lines.size() ? Trimmed(old_lines[k]) : std::string_view();
        const std::string_view will = k < new_lines.size() ? Trimmed(new_lines[k]) : std::string_view();
        if (was != will)
            changes.push_back(Line_change(k + 1, was, will));
    }
    if (!held.broken.what.empty())
        changes.push_back("the file's bytes from byte " + std::to_string(held.broken.stored) + " on (" +
                          held.broken.what + ") are left out");
    if (held.cut)
        changes.push_back("everything past the first " + std::to_string(text_limit >> 20) + " MiB is left out");
    return changes;
}
