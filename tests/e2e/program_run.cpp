// Runs the program under a name from a temporary folder and collects its
// exit status and output.
#include "program_run.h"
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <grp.h>
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

bool Suffix_has(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (std::size_t k = 0; k < suffix.size(); ++k)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + k])) != suffix[k])
            return false;
    return true;
}

std::string Crlf_unix(const std::string& text)
{
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k)
        if (!(text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n'))
            out += text[k];
    return out;
}

// The program's link, its DLLs' links and the picture file in a fresh folder.
bool Folder_fill(const Program_setup& setup, const std::string& root, const std::string& folder,
                 const std::string& link)
{
    const std::string picture_path =
        folder + "/" + (setup.picture_file.empty() ? setup.name + ".txt" : setup.picture_file);
    std::string executable = setup.executable;
    if (setup.user) {
        chmod(root.c_str(), 0755);
        executable = root + "/program-copy";
        std::error_code failed;
        std::filesystem::copy_file(setup.executable, executable, failed);
        if (failed) {
            std::fprintf(stderr, "program_run: copy %s: %s\n", setup.executable.c_str(), failed.message().c_str());
            return false;
        }
    }
    if (symlink(executable.c_str(), link.c_str()) != 0) {
        std::fprintf(stderr, "program_run: symlink %s: %s\n", link.c_str(), std::strerror(errno));
        return false;
    }
    if (Program_windows(setup)) {
        std::error_code ignored;
        const auto beside = std::filesystem::path(setup.executable).parent_path();
        for (const auto& entry : std::filesystem::directory_iterator(beside, ignored))
            if (Suffix_has(entry.path().filename().string(), ".dll"))
                std::filesystem::create_symlink(entry.path(), folder + "/" + entry.path().filename().string(),
                                                ignored);
    }
    if (setup.picture_fifo) {
        if (mkfifo(picture_path.c_str(), 0644) != 0) {
            std::fprintf(stderr, "program_run: mkfifo: %s\n", std::strerror(errno));
            return false;
        }
    } else if (setup.picture_folder) {
        mkdir(picture_path.c_str(), 0755);
    } else if (setup.picture_make) {
        setup.picture_make(picture_path);
    } else if (setup.picture && !Text_save(picture_path, *setup.picture)) {
        std::fprintf(stderr, "program_run: cannot write %s\n", picture_path.c_str());
        return false;
    }
    return true;
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

bool Program_windows(const Program_setup& setup)
{
    return Suffix_has(setup.executable, ".exe");
}

std::vector<std::string> Program_launcher()
{
    std::vector<std::string> words;
    const char* asked = std::getenv("TINTORA_E2E_LAUNCHER");
    std::istringstream in(asked ? asked : "");
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string Path_windows(const std::string& path)
{
    std::string named = "Z:" + path;
    for (char& c : named)
        if (c == '/')
            c = '\\';
    return named;
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
    run.windows = Program_windows(setup);
    char resolved[PATH_MAX];
    std::string link = setup.executable;
    if (!setup.folder.empty()) {
        run.folder = realpath(setup.folder.c_str(), resolved) ? resolved : setup.folder;
        run.folder_named = run.windows ? Path_windows(run.folder) : run.folder;
    } else {
        const std::string folder = run.root + "/pictures";
        mkdir(folder.c_str(), 0755);
        run.folder = realpath(folder.c_str(), resolved) ? resolved : folder;
        run.folder_named = run.windows ? Path_windows(run.folder) : run.folder;
        link = run.folder + "/" + setup.name + (run.windows ? ".exe" : "");
        if (!Folder_fill(setup, run.root, run.folder, link))
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
        std::vector<std::string> words = run.windows ? Program_launcher() : std::vector<std::string>{};
        words.insert(words.end(), setup.through.begin(), setup.through.end());
        std::string command = setup.command.empty() ? link : setup.command;
        if (const auto at = command.find("{folder}"); at != std::string::npos)
            command.replace(at, 8, run.folder_named);
        words.push_back(command);
        words.insert(words.end(), setup.arguments.begin(), setup.arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        if (words.size() > 1 + setup.arguments.size())
            execvpe(argv[0], argv.data(), envp.data());
        else
            execve(link.c_str(), argv.data(), envp.data());
        std::fprintf(stderr, "program_run: exec %s: %s\n", argv[0], std::strerror(errno));
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

std::string Program_output_raw(const Program_run& run, const std::string& file)
{
    return File_slurp(run.root + "/" + file);
}

std::string Program_stdout(const Program_run& run)
{
    const std::string text = Program_output_raw(run, "stdout");
    return run.windows ? Crlf_unix(text) : text;
}

std::string Program_stderr(const Program_run& run)
{
    const std::string text = Program_output_raw(run, "stderr");
    return run.windows ? Crlf_unix(text) : text;
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
