// tintora-check: reads picture files exactly as the painter reads them and
// tells their author, in the form editors and compilers use, what the
// painter will do with each one; optionally draws the first one to a PNG.
// Exit status: 0 nothing to warn about, 1 warnings, 2 a file cannot be read.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include <SDL.h>
#include "board/picture_view.h"
#include "check/picture_check.h"
#include "check/file_names.h"
#include "check/png_write.h"
#include "check/region_view.h"
#include "language/language.h"
#include "language/text_fill.h"
#include "main/program_path.h"

namespace {

struct Output {
    const char* option;   // "--preview" or "--regions"
    std::string path;
    bool given = false;
};

struct Options {
    std::vector<std::string> files;
    Output preview{"--preview", "", false};
    Output regions{"--regions", "", false};
};

bool Options_parse(const std::vector<std::string>& args, Options& options)
{
    for (std::size_t k = 1; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if ((arg == "--preview" || arg == "--regions") && k + 1 < args.size()) {
            Output& out = arg == "--preview" ? options.preview : options.regions;
            out.path = args[++k];
            out.given = true;
        } else if (arg == "--") {
            for (++k; k < args.size(); ++k)
                options.files.push_back(args[k]);
        } else if (arg.size() > 1 && arg[0] == '-') {
            return false;
        } else {
            options.files.push_back(arg);
        }
    }
    return !options.files.empty();
}

// An output must be a name, and never one of the pictures read: a view
// written over a picture would lose it.
bool Output_usable(const Output& out, const std::vector<std::string>& files)
{
    if (!out.given)
        return true;
    if (out.path.empty()) {
        std::fputs(Text_fill(_("tintora-check: {option} needs a file name to write the view to\n"),
                             {{"option", out.option}}).c_str(),
                   stderr);
        return false;
    }
    for (const std::string& file : files)
        if (File_same(out.path, file)) {
            std::fputs(Text_fill(_("tintora-check: {option} {output} would write over the picture {picture}; name "
                                   "another file\n"),
                                 {{"option", out.option}, {"output", out.path}, {"picture", file}}).c_str(),
                       stderr);
            return false;
        }
    return true;
}

std::filesystem::path Path_of(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8_of(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The painter's own message, with the file's name and folder as a path gives
// them: in English in every language, as the painter says it.
std::string Failure_message(const std::string& path, const std::string& why)
{
    // Put together by hand: Windows' own full name of "pics\CON.txt" is the
    // device "\\.\CON", not the name the person gave.
    std::filesystem::path full = Path_of(path);
    std::error_code error;
    if (!full.is_absolute())
        full = std::filesystem::current_path(error) / full;
    full = full.lexically_normal();
    return Picture_failure_message_in(Utf8_of(full.filename()), Utf8_of(full.parent_path()), why);
}

bool View_write(SDL_Surface* view, const std::string& out)
{
    if (!view) {
        std::fputs(Text_fill(_("tintora-check: cannot draw {output}: out of memory\n"), {{"output", out}}).c_str(),
                   stderr);
        return false;
    }
    const std::string why = Surface_png_write(view, out);
    SDL_FreeSurface(view);
    if (!why.empty())
        std::fputs(
            Text_fill(_("tintora-check: cannot write {output}: {why}\n"), {{"output", out}, {"why", why}}).c_str(),
            stderr);
    return why.empty();
}

}  // namespace

int main(int argc, char* argv[])
{
    Language_start();
    Options options;
    if (!Options_parse(Program_arguments(argc, argv), options)) {
        // TRANSLATORS: the options and "tintora" are typed as they stand;
        // OUT.png and PICTURE.txt stand for names the person chooses.
        std::fputs(_("usage: tintora-check [--preview OUT.png] [--regions OUT.png] PICTURE.txt...\n"
                     "Reads each picture file as tintora reads it and explains what it will show.\n"),
                   stderr);
        return 2;
    }
    if (!Output_usable(options.preview, options.files) || !Output_usable(options.regions, options.files))
        return 2;
    int status = 0;
    for (std::size_t k = 0; k < options.files.size(); ++k) {
        const std::string& file = options.files[k];
        const Picture_check check = Picture_check_file(file);
        status = std::max(status, Picture_status(check));
        if (!check.why.empty()) {
            std::fputs(Failure_message(file, check.why).c_str(), stderr);
            continue;
        }
        for (const Diagnostic& d : check.diagnostics)
            std::printf("%s\n", Diagnostic_format(file, d).c_str());
        std::printf("%s\n", Picture_summary(file, check).c_str());
        if (k == 0) {
            if (options.preview.given &&
                !View_write(Picture_view_create(squarecount, check.squares, colourcount, check.colours),
                            options.preview.path))
                status = 2;
            if (options.regions.given && !View_write(Region_view_create(check), options.regions.path))
                status = 2;
        }
    }
    return status;
}
