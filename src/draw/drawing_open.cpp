// Opening: the checker reads the file as the painter does and names every
// way in which the file says something other than what the painter shows
// (its warnings). A save writes what the painter shows, so those are the
// changes a save makes to the file.
#include "draw/drawing_open.h"
#include "check/picture_check.h"
#include "draw/file_replace.h"
#include "draw/picture_write.h"
#include "picture_file/file_open.h"
#include <filesystem>
#include <SDL.h>

Drawing_opened Drawing_open(const std::string& path)
{
    Drawing_opened opened;
    opened.drawing = Drawing_new();
    if (!File_exists(path))
        return opened;
    const Picture_check check = Picture_check_file(path);
    if (!check.why.empty()) {
        const std::filesystem::path where(path);
        const std::string folder = where.has_parent_path() ? where.parent_path().string() : Folder_current();
        opened.why = Picture_failure_message_in(where.filename().string(), folder, check.why);
        return opened;
    }
    opened.drawing.squares = check.squares;
    opened.drawing.colours = check.colours;
    opened.drawing.title = check.separator;
    for (const Diagnostic& d : check.diagnostics)
        if (d.severity == Severity::warning)
            opened.changes.push_back(Diagnostic_format(path, d));
    return opened;
}

std::vector<std::string> Drawing_warnings(const Drawing& drawing)
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::temp_directory_path(error) /
                                       ("tintora-draw-check-" + std::to_string(SDL_GetTicks()) + ".txt");
    std::vector<std::string> warnings;
    if (error || !File_replace(path.string(), Picture_text_make(drawing, Text_line_end())).empty())
        return warnings;
    const Picture_check check = Picture_check_file(path.string());
    for (const Diagnostic& d : check.diagnostics)
        if (d.severity == Severity::warning)
            warnings.push_back(d.message);
    std::filesystem::remove(path, error);
    return warnings;
}
