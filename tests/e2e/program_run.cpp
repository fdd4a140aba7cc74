// Runs the program under a name from a temporary folder and collects its
// exit status and output.
#include "program_run.h"
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <grp.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include "x_session.h"

extern char** environ;

namespace {

bool Text_save(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

bool Environment_dropped(const char* entry)
{
    for (const char* name : {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER="})
        if (std::strncmp(entry, name, std::strlen(name)) == 0)
            return true;
    return false;
}

}  // namespace

std::string Program_default()
{
    const char* asked = std::getenv("TINTORA_E2E_PROGRAM");
    return asked && *asked ? asked : TINTORA_PROGRAM;
}

std::string File_slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

Program_run Program_start(const Program_setup& setup)
{
    Program_run run;
    char root_template[] = "/tmp/tintora-run-XXXXXX";
    if (!mkdtemp(root_template)) {
        std::fprintf(stderr, "program_run: mkdtemp: %s\n", std::strerror(errno));
        return run;
    }
    run.root = root_template;
    const std::string folder = run.root + "/pictures";
    mkdir(folder.c_str(), 0755);
    char resolved[PATH_MAX];
    run.folder = realpath(folder.c_str(), resolved) ? resolved : folder;

    const std::string link = run.folder + "/" + setup.name;
    const std::string picture_path = run.folder + "/" + setup.name + ".txt";
    std::string executable = setup.executable;
    if (setup.user) {
        chmod(run.root.c_str(), 0755);
        executable = run.root + "/program-copy";
        std::error_code failed;
        std::filesystem::copy_file(setup.executable, executable, failed);
        if (failed) {
            std::fprintf(stderr, "program_run: copy %s: %s\n", setup.executable.c_str(), failed.message().c_str());
            return run;
        }
    }
    if (symlink(executable.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "program_run: symlink %s: %s\n", link.c_str(), std::strerror(errno));
        return run;
    }
    if (setup.picture_fifo) {
        if (mkfifo(picture_path.c_str(), 0644) != 0) {
            std::fprintf(stderr, "program_run: mkfifo: %s\n", std::strerror(errno));
            return run;
        }
    } else if (setup.picture_make) {
        setup.picture_make(picture_path);
    } else if (setup.picture && !Text_save(picture_path, *setup.picture)) {
        std::fprintf(stderr, "program_run: cannot write %s\n", picture_path.c_str());
        return run;
    }

    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        if (!Environment_dropped(*entry))
            environment.emplace_back(*entry);
    if (setup.display)
        environment.push_back("DISPLAY=" + *setup.display);
    for (const auto& [name, value] : setup.environment)
        environment.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string out_path = run.root + "/stdout";
    const std::string err_path = run.root + "/stderr";
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent)
            _exit(127);
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (in < 0 || out < 0 || err < 0 || chdir(run.folder.c_str()) != 0)
            _exit(126);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (setup.user && (setgroups(0, nullptr) != 0 || setgid(*setup.user) != 0 || setuid(*setup.user) != 0))
            _exit(125);
        char* argv[] = {const_cast<char*>(link.c_str()), nullptr};
        execve(link.c_str(), argv, envp.data());
        std::fprintf(stderr, "program_run: exec %s: %s\n", link.c_str(), std::strerror(errno));
        _exit(127);
    }
    if (pid < 0) {
        std::fprintf(stderr, "program_run: fork: %s\n", std::strerror(errno));
        return run;
    }
    run.pid = pid;
    return run;
}

bool Program_running(Program_run& run)
{
    if (run.pid <= 0 || run.exited)
        return false;
    // Seen ended but not yet reaped, its /proc entry still tells what it read.
    siginfo_t info{};
    if (waitid(P_PID, static_cast<id_t>(run.pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != run.pid)
        return true;
    std::ifstream io("/proc/" + std::to_string(run.pid) + "/io");
    std::string key;
    long long value = -1;
    while (io >> key >> value)
        if (key == "rchar:")
            run.rchar = value;
    int status = 0;
    waitpid(run.pid, &status, 0);
    run.exited = true;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

bool Program_wait(Program_run& run, double seconds)
{
    return Wait_until(seconds, [&] { return !Program_running(run); }) && run.exited;
}

void Program_stop(Program_run& run)
{
    if (Program_running(run)) {
        kill(run.pid, SIGKILL);
        int status = 0;
        waitpid(run.pid, &status, 0);
        run.exited = true;
        run.status = 128 + SIGKILL;
    }
    if (!run.root.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(run.root, ignored);
        run.root.clear();
    }
}

namespace {

// The value of one "Name:" line of /proc/PID/status, empty when there is none.
std::string Status_field(pid_t pid, const std::string& name)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name + ":", 0) == 0)
            return line.substr(name.size() + 1);
    return "";
}

}  // namespace

bool Program_catches(const Program_run& run, int signal)
{
    if (run.pid <= 0 || run.exited)
        return false;
    const std::string caught = Status_field(run.pid, "SigCgt");
    return !caught.empty() && (std::stoull(caught, nullptr, 16) >> (signal - 1)) & 1;
}

long Program_peak_kb(const Program_run& run)
{
    if (run.pid <= 0 || run.exited)
        return 0;
    const std::string peak = Status_field(run.pid, "VmHWM");
    return peak.empty() ? 0 : std::stol(peak);
}

std::string Program_stdout(const Program_run& run)
{
    return File_slurp(run.root + "/stdout");
}

std::string Program_stderr(const Program_run& run)
{
    return File_slurp(run.root + "/stderr");
}
