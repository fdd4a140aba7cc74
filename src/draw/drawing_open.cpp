// Opening: the file's bytes are read once; the checker reads them as the
// painter does, which gives the picture as the painter shows it; the text a
// save would write for that picture is compared with the file's, line by
// line (save_changes.h). The bytes, with the file's size and time, are kept
// to tell at the save whether anyone else has written the file since.
#include "draw/drawing_open.h"
#include "check/picture_check.h"
#include "draw/picture_write.h"
#include "draw/save_changes.h"
#include "picture_file/file_open.h"
#include <filesystem>

Drawing_opened Drawing_open(const std::string& path)
{
    Drawing_opened opened;
    opened.drawing = Drawing_new();
    opened.seen = File_look(path);
    if (!opened.seen.exists && opened.seen.why.empty())
        return opened;
    const Picture_text text = Picture_text_make(opened.seen.bytes);
    const Picture_check check = opened.seen.why.empty() ? Picture_check_text(text) : Picture_check{};
    const std::string why = opened.seen.why.empty() ? check.why : opened.seen.why;
    if (!why.empty()) {
        const std::filesystem::path where(path);
        const std::string folder = where.has_parent_path() ? where.parent_path().string() : Folder_current();
        opened.why = Picture_failure_message_in(where.filename().string(), folder, why);
        return opened;
    }
    opened.drawing.squares = check.squares;
    opened.drawing.colours = check.colours;
    opened.drawing.title = check.separator;
    opened.changes = Save_changes(text, Picture_text_make(opened.drawing, "\n"));
    return opened;
}

std::vector<std::string> Drawing_warnings(const Drawing& drawing)
{
    const Picture_check check = Picture_check_text(Picture_text_make(Picture_text_make(drawing, "\n")));
    if (!check.why.empty())
        return {"the title cannot be checked: " + check.why};
    // The maker writes one line per palette colour, then the title line.
    constexpr int title_line = colourcount + 1;
    std::vector<std::string> warnings;
    for (const Diagnostic& d : check.diagnostics)
        if (d.severity == Severity::warning && d.line == title_line)
            warnings.push_back(d.message);
    return warnings;
}
