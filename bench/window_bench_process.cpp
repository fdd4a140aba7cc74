// Child processes with the flip shim preloaded.
#include "window_bench_process.h"
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include "window_bench_timing.h"

extern char** environ;

Child Child_start(const std::string& program, const std::string& name, const std::string& dir,
                  const std::string& shim, const Implementation& implementation, bool capture_output)
{
    int flip_pipe[2];
    int output_pipe[2] = {-1, -1};
    if (pipe2(flip_pipe, O_CLOEXEC) != 0 || (capture_output && pipe2(output_pipe, O_CLOEXEC) != 0)) {
        std::perror("pipe");
        std::exit(1);
    }
    constexpr int flip_fd = 100;
    std::vector<std::string> env_strings;
    for (char** e = environ; *e; ++e)
        env_strings.emplace_back(*e);
    auto put = [&](const std::string& entry) {
        const std::string key = entry.substr(0, entry.find('=') + 1);
        std::erase_if(env_strings, [&](const std::string& s) { return s.starts_with(key); });
        env_strings.push_back(entry);
    };
    put("LD_PRELOAD=" + shim);
    put("TINTORA_BENCH_FLIP_FD=" + std::to_string(flip_fd));
    for (const std::string& entry : implementation.environment)
        put(entry);
    std::vector<char*> envp;
    for (std::string& s : env_strings)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string arg0 = name;
    char* argv[] = {arg0.data(), nullptr};

    Child child;
    child.started = Clock_ns();
    child.pid = fork();
    if (child.pid == 0) {
        dup2(flip_pipe[1], flip_fd);
        const int null_fd = open("/dev/null", O_WRONLY);
        dup2(capture_output ? output_pipe[1] : null_fd, 1);
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    close(flip_pipe[1]);
    child.flips = flip_pipe[0];
    if (capture_output) {
        close(output_pipe[1]);
        child.output = output_pipe[0];
    }
    return child;
}

std::optional<std::int64_t> Flip_next(const Child& child, int timeout_ms)
{
    pollfd p{child.flips, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0)
        return std::nullopt;
    std::int64_t ns = 0;
    std::size_t got = 0;
    while (got < sizeof ns) {
        const ssize_t n = read(child.flips, reinterpret_cast<char*>(&ns) + got, sizeof ns - got);
        if (n <= 0)
            return std::nullopt;
        got += static_cast<std::size_t>(n);
    }
    return ns;
}

std::string Output_read(const Child& child)
{
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(child.output, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

Ended Child_wait(Child& child, int timeout_ms)
{
    Ended ended;
    rusage usage{};
    std::int64_t deadline = Clock_ns() + std::int64_t{timeout_ms} * 1000000;
    bool asked = false;
    for (;;) {
        const pid_t done = wait4(child.pid, &ended.status, WNOHANG, &usage);
        if (done == child.pid)
            break;
        if (Clock_ns() > deadline) {
            kill(child.pid, asked ? SIGKILL : SIGTERM);
            deadline = Clock_ns() + std::int64_t{5000} * 1000000;
            asked = true;
        }
        usleep(2000);
    }
    ended.peak_kb = usage.ru_maxrss;
    close(child.flips);
    if (child.output >= 0)
        close(child.output);
    return ended;
}
