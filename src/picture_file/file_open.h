// Opening the picture file: the part of reading it that differs by
// platform. What counts as a picture file, how its name reaches the file
// system and how text mode reads it are each platform's own; every
// platform refuses anything but an ordinary file before reading it.
#pragma once
#include <cstdio>
#include <string>

// Opens the file `name`, in the working directory, for reading as text.
// `read_error` belongs to the stream and must outlive it. Returns nullptr,
// with `why` set to a reason for the person, when it cannot be read.
std::FILE* Picture_file_open(const std::string& name, int& read_error, std::string& why);

// Closes the stream. Returns false, with `why` set, when its text ended
// early: on a read error, or in a file far longer than any picture.
bool Picture_file_close(std::FILE* text, const int& read_error, std::string& why);

// The working directory as messages name it.
std::string Folder_current();
