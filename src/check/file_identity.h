// Whether two names lead to one file, however they are written: through
// links, "..", another case on Windows. The checker never writes a view
// over a picture it reads.
#pragma once
#include <string>

// True when both exist and are the same file.
bool File_same(const std::string& a, const std::string& b);
