// Saving without losing anything: the new text is written to a new file in
// the same folder, forced to the disk, and only then renamed over the old
// file in one step. A crash, a full disk or a folder that became read-only
// leaves the old file as it was. What differs by platform (the calls that
// write, force and rename, and the line end) lives in file_replace_*.cpp.
#pragma once
#include <string>
#include <string_view>

// The line end of a text file here: "\n", or "\r\n" on Windows.
std::string_view Text_line_end();

// Writes `bytes` as the file `path` (UTF-8). `fail_after` >= 0 makes the
// write stop with a full disk once that many bytes are written, so that the
// failure can be tried. Returns "" or what failed and where, for the person.
std::string File_replace(const std::string& path, std::string_view bytes, long fail_after = -1);

// Whether a file or folder exists at `path` (UTF-8).
bool File_exists(const std::string& path);
