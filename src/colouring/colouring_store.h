// Keeping a colouring file on disk. A colouring is rewritten after every
// fill, and a crash, a kill or a power cut may come at any moment: so a new
// file is written beside the old one, forced to disk, and renamed over it,
// and the folder is forced too. Whatever happens, the file is the old
// colouring or the new one, never a mixture. Each platform does this its
// own way; paths are UTF-8.
#pragma once
#include <string>

// Larger than any colouring file; a longer file is not one.
constexpr std::size_t colouring_file_most = 64 * 1024;

// Writes `text` as the file `path`. Returns "" or why it could not.
std::string Colouring_file_write(const std::string& path, const std::string& text);

// Reads the file `path`, at most colouring_file_most bytes and one more.
// Returns "" and its bytes, or why not; `missing` is set when there is no
// such file (no colouring kept yet, which is not a fault).
std::string Colouring_file_read(const std::string& path, std::string& text, bool& missing);

// Renames the file `path` to `path` + ".unusable", replacing an older one
// of that name, so that a colouring that cannot be used is never written
// over without trace. Returns "" or why not.
std::string Colouring_file_set_aside(const std::string& path);

// Removes the file `path`, for a person who asked to start again. A file
// that is not there counts as removed. Returns "" or why not.
std::string Colouring_file_remove(const std::string& path);
