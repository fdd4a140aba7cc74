// Running the painter on POSIX systems: fork, then in the child chdir to the
// picture's folder and exec the painter with argv[0] set to the picture's
// name and the environment the book was given; standard error comes back
// through a pipe, read to its end before the book waits for the child. A
// child that cannot chdir or exec says why on that pipe and exits 127.
#include "book/painter_run.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

void Child_fail(int fd, const std::string& what)
{
    const std::string line = what + ": " + std::strerror(errno) + "\n";
    const ssize_t ignored = write(fd, line.data(), line.size());
    (void)ignored;
    _exit(127);
}

}  // namespace

std::vector<std::string> Environment_capture()
{
    std::vector<std::string> environment;
    for (char** entry = environ; entry && *entry; ++entry)
        environment.emplace_back(*entry);
    return environment;
}

Painter_outcome Painter_run(const std::string& painter, const std::string& name, const std::string& folder,
                            const std::vector<std::string>& environment, const std::vector<std::string>& arguments)
{
    Painter_outcome outcome;
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) {
        outcome.errors = std::string("Tintora: cannot start the painter: ") + std::strerror(errno);
        return outcome;
    }
    // Everything the child needs is made before fork: it only calls
    // async-signal-safe functions (and strerror on the way out).
    const std::string cannot_enter = "Tintora: cannot open the folder " + folder;
    const std::string cannot_start = "Tintora: cannot start the painter " + painter;
    std::vector<char*> argv{const_cast<char*>(name.c_str())};
    for (const std::string& word : arguments)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& entry : environment)
        envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) {
        outcome.errors = std::string("Tintora: cannot start the painter: ") + std::strerror(errno);
        close(pipe_ends[0]);
        close(pipe_ends[1]);
        return outcome;
    }
    if (pid == 0) {
        if (dup2(pipe_ends[1], STDERR_FILENO) < 0)
            _exit(127);
        if (chdir(folder.c_str()) != 0)
            Child_fail(STDERR_FILENO, cannot_enter);
        execve(painter.c_str(), argv.data(), envp.data());
        Child_fail(STDERR_FILENO, cannot_start);
    }
    close(pipe_ends[1]);
    // To the end, whatever the painter writes: a painter whose pipe is full
    // waits for the book, and would never end if the book waited for it.
    char buffer[16384];
    for (;;) {
        const ssize_t got = read(pipe_ends[0], buffer, sizeof buffer);
        if (got > 0) {
            Painter_errors_keep(outcome.errors, std::string_view(buffer, static_cast<std::size_t>(got)));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    close(pipe_ends[0]);
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0 && errno == EINTR) {
    }
    outcome.started = true;
    if (WIFEXITED(wait_status))
        outcome.status = WEXITSTATUS(wait_status);
    else if (WIFSIGNALED(wait_status))
        outcome.status = 128 + WTERMSIG(wait_status);
    if (outcome.status == 127 && outcome.errors.rfind("Tintora: cannot ", 0) == 0)
        outcome.started = false;
    return outcome;
}
