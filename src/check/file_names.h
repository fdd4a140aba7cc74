// The checker's file names, as each platform hands them to its file
// system: whether two names lead to one file, however they are written
// (through links, "..", another case on Windows), so that the checker never
// writes a view over a picture it reads; and opening a view's file by its
// UTF-8 name (through UTF-16 on Windows).
#pragma once
#include <cstdio>
#include <string>

// True when both exist and are the same file.
bool File_same(const std::string& a, const std::string& b);

// Opens `path` for writing, binary; nullptr with errno set when it cannot.
std::FILE* Output_file_open(const std::string& path);
