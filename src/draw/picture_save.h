// Saving a picture over a file: the one place that decides whether a file
// on the disk may be replaced, and replaces it (see picture_save.cpp for the
// rule and its reasons). Plain logic over file_replace.h.
#pragma once
#include <string>
#include <string_view>
#include "draw/file_replace.h"

enum class Save_outcome {
    saved,       // the file holds the picture now
    changed,     // the file is not what the maker last saw there: nothing written, ask first
    read_only,   // the file is read-only: nothing written
    failed,      // writing failed: nothing replaced, `why` says what and where
};

struct Save_result {
    Save_outcome outcome = Save_outcome::saved;
    std::string why;    // for the person: what was found or what failed, naming the file
    std::string file;   // the file meant: `path`, or the file a link at `path` leads to
};

// Saves `bytes` as the picture at `path` (UTF-8). `seen` is the file as the
// maker read or last wrote it (File_look); a save updates it to what it
// wrote. `changed_ok`: the person has said to replace the file whatever
// happened to it. `fail_after` as for File_write.
Save_result Picture_save(const std::string& path, std::string_view bytes, File_seen& seen, bool changed_ok,
                         long fail_after = -1);
