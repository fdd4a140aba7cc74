// Opening the picture file. Reading it from the file system is each
// platform's own (what counts as a picture file, how its name reaches the
// file system); every platform refuses anything but an ordinary file before
// reading it, and reads it once: everything after works on those bytes.
#pragma once
#include <cstdio>
#include <string>
#include "picture_file/text_stream.h"

// Reads the file `name` (relative to the working directory, or a path) as
// stored: its first text_limit bytes and, when it is longer, one byte more.
// Returns "" or a reason for the person why it cannot be read.
std::string Picture_file_bytes(const std::string& name, std::string& stored);

// Reads the file once and makes its text (see Picture_text_make).
// Returns "" or why it cannot be read.
std::string Picture_file_text(const std::string& name, Picture_text& text);

// Opens the file `name` for the reader. `read_error` belongs to the stream
// and must outlive it. Returns nullptr, with `why` set to a reason for the
// person, when it cannot be read.
std::FILE* Picture_file_open(const std::string& name, int& read_error, std::string& why);

// Closes the stream. Returns false, with `why` set, when the reader wanted
// more of a file far longer than any picture.
bool Picture_file_close(std::FILE* text, int& read_error, std::string& why);

// Opens the file `name` (UTF-8) to read its bytes from the start, only
// when it is an ordinary file (a link is followed to it): a folder, a
// pipe, a device or a socket is refused before it is opened, so that
// nothing waits for a writer or reads without end. Returns nullptr, with
// `why` set to a reason for the person ("it is a pipe, not " + `wanted`),
// when it cannot be opened.
std::FILE* Regular_file_open(const std::string& name, const std::string& wanted, std::string& why);

// A binary scratch stream, removed when closed, in the system's own place
// for temporary files (the Windows C runtime's tmpfile would write to the
// root of the drive, where a person may not write).
std::FILE* Scratch_file_open();

// The working directory as messages name it.
std::string Folder_current();
