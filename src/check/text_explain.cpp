// How the text reached the reader: the encoding it was saved in, and what
// ended it before the end of the file (a Ctrl-Z, or UTF-16 that breaks).
#include "check/analysis.h"
#include "language/language.h"
#include "language/text_fill.h"

void Encoding_explain(Analysis& a)
{
    switch (a.source.encoding) {
    case Text_encoding::utf8:
        return;
    case Text_encoding::utf8_marked:
        Say(a, 0, Severity::note,
            _("saved as UTF-8 with a byte-order mark: the mark is skipped, and the file reads as it would without "
              "it"));
        return;
    case Text_encoding::utf16le:
    case Text_encoding::utf16be:
        Say(a, 0, Severity::note,
            Text_fill(_("saved as {encoding}: it reads as the same text saved as UTF-8; lines and columns are as an "
                        "editor shows them"),
                      {{"encoding", Text_encoding_name(a.source.encoding)}}));
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
            Text_fill(Text_plural("a Ctrl-Z character ends the text here, as on Windows: the {count} non-blank bytes "
                                  "after it are never read",
                                  "a Ctrl-Z character ends the text here, as on Windows: the {count} non-blank bytes "
                                  "after it are never read",
                                  static_cast<unsigned long>(a.source.nonblank_after_ctrl_z)),
                      {{"count", std::to_string(a.source.nonblank_after_ctrl_z)}}));
    else if (!a.source.broken.what.empty())
        Say(a, End_of(a), Severity::warning,
            Text_fill(_("the text breaks off here, at byte {byte} of the file, with {what}: nothing after it is read"),
                      {{"byte", std::to_string(a.source.broken.stored)}, {"what", a.source.broken.what}}));
}
