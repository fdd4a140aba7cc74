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
#include "check/png_write.h"
#include "check/region_view.h"

namespace {

constexpr const char* usage =
    "usage: tintora-check [--preview OUT.png] [--regions OUT.png] PICTURE.txt...\n"
    "Reads each picture file as tintora reads it and explains what it will show.\n";

struct Options {
    std::vector<std::string> files;
    std::string preview;
    std::string regions;
};

bool Options_parse(int argc, char* argv[], Options& options)
{
    for (int k = 1; k < argc; ++k) {
        const std::string arg = argv[k];
        if ((arg == "--preview" || arg == "--regions") && k + 1 < argc)
            (arg == "--preview" ? options.preview : options.regions) = argv[++k];
        else if (arg == "--")
            for (++k; k < argc; ++k)
                options.files.push_back(argv[k]);
        else if (arg.size() > 1 && arg[0] == '-')
            return false;
        else
            options.files.push_back(arg);
    }
    return !options.files.empty();
}

// The painter's own message, with the file's name and folder as a path gives them.
std::string Failure_message(const std::string& path, const std::string& why)
{
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error).lexically_normal();
    return Picture_failure_message_in(full.filename().string(), full.parent_path().string(), why);
}

bool View_write(SDL_Surface* view, const std::string& out)
{
    if (!view) {
        std::fprintf(stderr, "tintora-check: cannot draw %s: out of memory\n", out.c_str());
        return false;
    }
    const std::string why = Surface_png_write(view, out);
    SDL_FreeSurface(view);
    if (!why.empty())
        std::fprintf(stderr, "tintora-check: cannot write %s: %s\n", out.c_str(), why.c_str());
    return why.empty();
}

}  // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (!Options_parse(argc, argv, options)) {
        std::fputs(usage, stderr);
        return 2;
    }
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
            if (!options.preview.empty() &&
                !View_write(Picture_view_create(squarecount, check.squares, colourcount, check.colours),
                            options.preview))
                status = 2;
            if (!options.regions.empty() && !View_write(Region_view_create(check), options.regions))
                status = 2;
        }
    }
    return status;
}
