// How the text reached the reader: the encoding it was saved in, and what
// ended it before the end of the file (a Ctrl-Z, or UTF-16 that breaks).
#include "check/analysis.h"

void Encoding_explain(Analysis& a)
{
    switch (a.source.encoding) {
    case Text_encoding::utf8:
        return;
    case Text_encoding::utf8_marked:
        Say(a, 0, Severity::note,
            "saved as UTF-8 with a byte-order mark: the mark is skipped, and the file reads as it would without it");
        return;
    case Text_encoding::utf16le:
    case Text_encoding::utf16be:
        Say(a, 0, Severity::note,
            std::string("saved as ") + Text_encoding_name(a.source.encoding) +
                ": it reads as the same text saved as UTF-8; lines and columns are as an editor shows them");
        return;
    }
}

void Text_end_explain(Analysis& a)
{
    const bool reached_end = a.trace.grid.empty() || a.trace.grid.back().effect != Grid_effect::past_last;
    if (!reached_end)
        return;
    if (a.source.nonblank_after_ctrl_z > 0)
        Say(a, End_of(a), Severity::warning,
            "a Ctrl-Z character ends the text here, as on Windows: the " +
                std::to_string(a.source.nonblank_after_ctrl_z) + " non-blank bytes after it are never read");
    else if (!a.source.broken.what.empty())
        Say(a, End_of(a), Severity::warning,
            "the text breaks off here, at byte " + std::to_string(a.source.broken.stored) + " of the file, with " +
                a.source.broken.what + ": nothing after it is read");
}
