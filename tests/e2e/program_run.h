// Starting the real program the way a person does: under a name, from a
// folder that holds the picture file of that name. Each run gets a fresh
// temporary folder:
//   <root>/pictures/<name>      a symlink to the executable
//   <root>/pictures/<name>.txt  the picture file (unless there is none, or a FIFO)
//   <root>/stdout, <root>/stderr  what the program wrote, read after it exits
// and the program starts with <root>/pictures as its working directory.
//
// A Windows program (an executable whose name ends in .exe) runs the same
// way under a launcher, $TINTORA_E2E_LAUNCHER (say "wine"): its link is
// <name>.exe, and the DLLs beside the executable are linked beside it, as a
// Windows user keeps them.
#pragma once
#include <sys/types.h>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The program to test: $TINTORA_E2E_PROGRAM when set (an installed copy,
// say), else the one built beside these tests.
std::string Program_default();

struct Program_setup {
    std::string executable = Program_default();
    std::string name = "picture";            // the program reads <name>.txt
    std::optional<std::string> picture;      // the picture file's bytes; nullopt: no file
    std::string picture_file;                // its name; empty: <name>.txt
    bool picture_fifo = false;               // a FIFO with no writer in the file's place
    bool picture_folder = false;             // a folder in the file's place
    // Puts whatever else is wanted at the picture file's path (a folder, a
    // socket, a link, a sparse file...), given that path; used instead of
    // `picture`. A failed ASSERT in it fails the test and the program still starts.
    std::function<void(const std::string& path)> picture_make;
    // Runs the program as this user (the test must run as root): the folder
    // is opened to everyone and the program copied into it, since another
    // user may not reach the build folder.
    std::optional<uid_t> user;
    std::optional<std::string> display;      // DISPLAY; nullopt: unset
    // Set after DISPLAY, WAYLAND_DISPLAY and SDL_VIDEODRIVER have been removed
    // from the test program's own environment (everything else is passed on,
    // LD_LIBRARY_PATH included, which picks the SDL 1.2 implementation).
    std::vector<std::pair<std::string, std::string>> environment;
    // An existing folder to start the program in, as installed: nothing is
    // made there, and the executable runs under its own name.
    std::string folder;
    // The program's path as its command line gives it; empty: the link's full
    // path. "{folder}" in it stands for the working directory as the program
    // names it.
    std::string command;
    // Words after the command (a file to open, say).
    std::vector<std::string> arguments;
    // Words the command goes through after the launcher: {"cmd", "/c"} has
    // Windows' command prompt start it, with the command line as typed
    // (Wine itself hands a program its full path).
    std::vector<std::string> through;
};

// True for a Windows program (its executable's name ends in .exe).
bool Program_windows(const Program_setup& setup);
// What a Windows program is started under: $TINTORA_E2E_LAUNCHER, split at blanks.
std::vector<std::string> Program_launcher();
// A folder as a Windows program under Wine names it: Z: and backslashes.
std::string Path_windows(const std::string& path);

struct Program_run {
    pid_t pid = -1;
    std::string root;     // the temporary folder
    std::string folder;   // the working directory, <root>/pictures, without symlinks
    bool exited = false;
    int status = -1;      // the exit status, or 128 + signal number
    bool windows = false; // a Windows program: its line ends are CR LF
    std::string folder_named;   // the working directory as the program names it
    long long rchar = -1; // bytes it read through read() and the like, taken just before it is reaped
};

// Forks and execs; pid is -1 (and the reason on standard error) on failure.
Program_run Program_start(const Program_setup& setup);
// Waits up to the given time for the program to end; true if it has.
bool Program_wait(Program_run& run, double seconds);
// True while the program has not ended (reaps it if it just did).
bool Program_running(Program_run& run);
// Kills a program still running (by its pid), reaps it, removes the folder.
void Program_stop(Program_run& run);
// True once the program catches this signal (SigCgt in /proc/PID/status):
// SDL sets its SIGINT and SIGTERM handlers a moment after the program starts,
// and one of those signals before that ends the program instead.
bool Program_catches(const Program_run& run, int signal);
// The program's peak resident memory so far in KiB (VmHWM), 0 once it has
// ended or when it cannot be read.
long Program_peak_kb(const Program_run& run);
// What the program wrote; a Windows program's C runtime writes each line
// break as CR LF, which these give as '\n' (Program_output_raw keeps them).
std::string Program_stdout(const Program_run& run);
std::string Program_stderr(const Program_run& run);
std::string Program_output_raw(const Program_run& run, const std::string& file);

std::string File_slurp(const std::string& path);
