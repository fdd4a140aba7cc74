// Printing's places on Linux: libpaper's paperconf for the paper, Debian's font, and
// xdg-open for the viewer.
#include "book/print_places.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fcntl.h>
#include <unistd.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// What a program printed on its standard output, or "" when it could not
// be started or did not end well.
std::string Program_output(const char* const argv[])
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0)
        return "";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const bool started =
        posix_spawnp(&child, argv[0], &actions, nullptr, const_cast<char* const*>(argv), environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    std::string output;
    char buffer[256];
    for (ssize_t got; started && output.size() < 4096 &&
                      ((got = read(pipe_ends[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR));)
        if (got > 0)
            output.append(buffer, static_cast<std::size_t>(got));
    close(pipe_ends[0]);
    if (!started)
        return "";
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR)
        ;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? output : "";
}

}  // namespace

// libpaper's answer comes from its paperconf, run rather than linked, so
// the book stays under its own licence. Unless PAPERSIZE or a papersize
// file names a paper, paperconf would give libpaper's built-in Letter; the
// book takes A4 then, as it does for a name libpaper does not know.
Paper Paper_chosen()
{
    const char* variable = std::getenv("PAPERSIZE");
    const char* conf = std::getenv("PAPERCONF");
    std::error_code error;
    const bool named = (variable && *variable) ||
                       std::filesystem::exists(conf && *conf ? conf : "/etc/papersize", error);
    if (!named)
        return paper_a4;
    const char* argv[] = {"paperconf", "-s", nullptr};
    const std::string size = Program_output(argv);
    double width = 0, height = 0;
    char end = 0;
    if (std::sscanf(size.c_str(), "%lf %lf%c", &width, &height, &end) >= 2 && width > 0 && height > 0 &&
        width < 20000 && height < 20000)
        return {width, height};
    return paper_a4;
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
    while (waitpid(shell, &status, 0) < 0 && errno == EINTR)
        ;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        return "no xdg-open is installed to show it";
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "xdg-open could not be started";
    return "";
}
