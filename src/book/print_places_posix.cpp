// Printing's places on Linux: libpaper for the paper, Debian's font, and
// xdg-open for the viewer.
#include "book/print_places.h"
#include <cstdlib>
#include <spawn.h>
#include <sys/wait.h>
#include <paper.h>

extern char** environ;

Paper Paper_chosen()
{
    Paper chosen = paper_a4;
    paperinit();
    if (char* name = systempapername()) {
        if (const struct paper* known = paperinfo(name)) {
            const double width = paperpswidth(known);
            const double height = paperpsheight(known);
            if (width > 0 && height > 0)
                chosen = {width, height};
        }
        std::free(name);
    }
    paperdone();
    return chosen;
}

std::string Print_font_file(const std::string&)
{
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
}

std::string File_show(const std::string& path)
{
    // xdg-open may wait for the viewer to end, so a shell starts it in the
    // background and ends at once: the book waits only for that shell, and
    // the viewer is never the book's child left unreaped.
    const char* script =
        "command -v xdg-open >/dev/null 2>&1 || exit 127; xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
    const char* argv[] = {"sh", "-c", script, "sh", path.c_str(), nullptr};
    pid_t shell = 0;
    if (posix_spawn(&shell, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0)
        return "/bin/sh could not be started";
    int status = 0;
    while (waitpid(shell, &status, 0) < 0)
        ;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        return "no xdg-open is installed to show it";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "xdg-open could not be started";
    return "";
}
