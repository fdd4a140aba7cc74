// What the book says about a painter that ended: the painter's own words
// when it gave any, for a person who never sees a terminal; of many words,
// the last few, which say why it ended.
#include "book/painter_run.h"

namespace {

constexpr std::size_t message_lines_most = 8;     // of the painter's own lines
constexpr std::size_t message_bytes_most = 600;   // about six lines of the book's message box

bool Utf8_continuation_is(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The end of `text` that fits the bounds above, "..." in front when
// anything was left out: its own line when whole lines were, else before
// the rest of the cut line (never inside a UTF-8 character).
std::string Message_last_lines(const std::string& text)
{
    std::size_t start = text.size();
    for (std::size_t lines = 0; start > 0; --start)
        if (text[start - 1] == '\n' && ++lines == message_lines_most)
            break;
    if (text.size() - start > message_bytes_most) {
        start = text.size() - message_bytes_most;
        while (start < text.size() && Utf8_continuation_is(text[start]))
            ++start;
    }
    if (start == 0)
        return text;
    return (text[start - 1] == '\n' ? "...\n" : "...") + text.substr(start);
}

}  // namespace

void Painter_errors_keep(std::string& kept, std::string_view more)
{
    if (more.size() >= painter_errors_kept) {
        kept.assign(more.substr(more.size() - painter_errors_kept));
        return;
    }
    kept.append(more);
    // Dropping the front only once it holds twice the bound keeps the
    // copying to about one byte for each byte read.
    if (kept.size() > 2 * painter_errors_kept)
        kept.erase(0, kept.size() - painter_errors_kept);
}

std::string Painter_outcome_message(const Painter_outcome& outcome, const std::string& painter)
{
    // A Windows painter ends its lines with CR LF, which the book would
    // draw as a character of its own.
    std::string errors;
    errors.reserve(outcome.errors.size());
    for (std::size_t k = 0; k < outcome.errors.size(); ++k)
        if (outcome.errors[k] != '\r' || k + 1 == outcome.errors.size() || outcome.errors[k + 1] != '\n')
            errors += outcome.errors[k];
    while (!errors.empty() && (errors.back() == '\n' || errors.back() == '\r'))
        errors.pop_back();
    errors = Message_last_lines(errors);
    if (!outcome.started)
        return errors.empty() ? "Tintora: cannot start the painter " + painter : errors;
    if (outcome.status == 0)
        return "";
    if (!errors.empty())
        return errors;
    return "Tintora: the painter ended with status " + std::to_string(outcome.status);
}
