// The painter keeping a colouring for the book. Everything it says goes to
// standard error, which the book reads; lines starting "Tintora: the
// colouring" are the ones the book shows after the painter has ended
// (docs/colourings.md).
#include "main/colouring_keep.h"
#include <cstdio>
#include "colouring/colouring_file.h"
#include "colouring/colouring_format.h"
#include "colouring/colouring_store.h"
#include "main/keep_asked.h"

namespace {

void Say(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stderr);
}

// Returns "" or why the colouring could not be written.
std::string Keep_now(Colouring_keep& keep, const std::string& text)
{
    if (keep.set_aside) {
        const std::string why = Colouring_file_set_aside(keep.path);
        if (!why.empty())
            return why;
        keep.set_aside = false;
    }
    const std::string why = Colouring_file_write(keep.path, text);
    if (why.empty()) {
        keep.written = text;
        Keep_written(keep.path);
    }
    return why;
}

}  // namespace

Colouring_keep Colouring_keep_start(std::span<Square> squares, std::span<const Colour> colours, Colour& mousecolour)
{
    Colouring_keep keep;
    keep.path = Keep_path_asked();
    if (keep.path.empty())
        return keep;
    keep.digest = Picture_digest(squares, colours);
    const Colouring_loaded laid = Colouring_file_lay(keep.path, keep.digest, squares, colours, mousecolour);
    if (!laid.why.empty() && !laid.missing) {
        keep.set_aside = true;
        Say("Tintora: the colouring kept in " + keep.path + (laid.unreadable ? " cannot be read (" : " cannot be used (") +
            laid.why + "); the picture opens uncoloured");
    }
    // What the board shows now is what is kept, or what needs no keeping.
    keep.written = Colouring_text(Colouring_take(keep.digest, squares, colours, mousecolour));
    return keep;
}

void Colouring_keep_write(Colouring_keep& keep, std::span<const Square> squares, std::span<const Colour> colours,
                          Colour mousecolour)
{
    if (keep.path.empty())
        return;
    const std::string text = Colouring_text(Colouring_take(keep.digest, squares, colours, mousecolour));
    if (text == keep.written)
        return;
    const std::string why = Keep_now(keep, text);
    if (!why.empty() && keep.failed.empty())
        Say("Tintora: keeping the colouring in " + keep.path + " failed (" + why + "); trying again after the next fill");
    keep.failed = why;
}

void Colouring_keep_end(Colouring_keep& keep, std::span<const Square> squares, std::span<const Colour> colours,
                        Colour mousecolour)
{
    if (keep.path.empty())
        return;
    const std::string text = Colouring_text(Colouring_take(keep.digest, squares, colours, mousecolour));
    if (text != keep.written)
        keep.failed = Keep_now(keep, text);
    if (!keep.failed.empty())
        Say("Tintora: the colouring could not be kept in " + keep.path + ": " + keep.failed);
}
