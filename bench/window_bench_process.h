// The programs under measurement, each a child process with the flip shim
// preloaded: every SDL_Flip's return time comes through a pipe.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>
#include <sys/types.h>

struct Implementation {
    std::string name;
    std::vector<std::string> environment;   // added to the inherited one
};

struct Child {
    pid_t pid = -1;
    int flips = -1;    // read end of the flip timestamps
    int output = -1;   // read end of standard output, when captured
    std::int64_t started = 0;
};

struct Ended {
    int status = 0;
    long peak_kb = 0;
};

// Starts program (argv[0] = name) in directory dir with the flip shim
// preloaded; the clock starts just before the fork.
Child Child_start(const std::string& program, const std::string& name, const std::string& dir,
                  const std::string& shim, const Implementation& implementation, bool capture_output);

// The next flip's timestamp, or nothing at the end of the stream or after
// timeout_ms.
std::optional<std::int64_t> Flip_next(const Child& child, int timeout_ms);

// What the child wrote to its standard output, when captured, to its end.
std::string Output_read(const Child& child);

// Waits for the child to end; after timeout_ms it is asked to quit (SIGTERM,
// which SDL turns into a quit request) and then killed.
Ended Child_wait(Child& child, int timeout_ms);
