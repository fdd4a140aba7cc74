// Saving without losing anything: the new text is written to a new file in
// the same folder, forced to the disk, and only then renamed over the old
// file in one step. A crash, a full disk or a folder that became read-only
// leaves the old file as it was. What differs by platform (the calls that
// look, write, force and rename, and the line end) lives in file_replace_*.cpp.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The line end of a text file here: "\n", or "\r\n" on Windows.
std::string_view Text_line_end();

// A file as the maker saw it on the disk, to tell later whether anyone else
// has written to it since.
struct File_seen {
    bool exists = false;
    bool read_only = false;    // its mode (Windows: its attribute) lets nobody in our place write it
    std::uint64_t size = 0;
    std::int64_t time = 0;     // when it was last written, in the system's own finest unit
    std::string bytes;         // as stored: the first text_limit bytes and one more, as the reader reads them
    std::string why;           // non-empty: it is there but could not be looked at, for this reason
};

// Looks at the file at `path` (UTF-8), following links, and reads it once.
// A file that is not there is no failure: `exists` is false.
File_seen File_look(const std::string& path);

struct File_written {
    std::string why;      // "" when written; else what failed and where, for the person
    bool taken = false;   // `only_new`, and a file stood at `path` by then: nothing was written
};

// Writes `bytes` as the file `path` (UTF-8), in its own folder, keeping the
// mode (Windows: the attributes) of the file it replaces. `only_new`: the
// new file takes the name only if no file has it, decided by the rename
// itself. `fail_after` >= 0 makes the write stop with a full disk once that
// many bytes are written, so that the failure can be tried.
File_written File_write(const std::string& path, std::string_view bytes, bool only_new, long fail_after = -1);

// File_write replacing whatever is there: for files that are the maker's own.
std::string File_replace(const std::string& path, std::string_view bytes, long fail_after = -1);

// Whether a file or folder (or a link, even to nothing) exists at `path` (UTF-8).
bool File_exists(const std::string& path);
