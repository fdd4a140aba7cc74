// The picture file as the checker reads it: the painter's own text mode,
// handed to the reader as a stream whose ftell counts characters of the
// translated text, which is what the checker's lines and columns are
// mapped from. Each platform's C runtime counts differently, so each
// platform gives that stream its own way.
#pragma once
#include <cstdio>
#include <string>

// Opens the picture file `path` as the painter reads it. Returns nullptr,
// with `why` set to the painter's reason, when it cannot be used.
// `read_error` belongs to the stream and must outlive it.
std::FILE* Check_text_open(const std::string& path, int& read_error, std::string& why);

// Closes it. Returns false, with `why` set, when its text ended early (a
// read error, or a file far longer than any picture).
bool Check_text_close(std::FILE* text, const int& read_error, std::string& why);

// A binary scratch stream, removed when closed, in the system's own place
// for temporary files (the Windows C runtime's tmpfile would write to the
// root of the drive, where a person may not write).
std::FILE* Check_scratch_open();
