// Reading a picture file as text the way it reads on the system pictures
// are often drawn on: a CR LF pair arrives as one '\n' (a lone CR stays as
// it is), and a Ctrl-Z byte (0x1A) ends the input. The result is an ordinary
// FILE stream, so the C library's formatted input works on it unchanged.
#pragma once
#include <cstdio>

// A read-only text stream over `raw`. Closing it closes `raw` too. A read
// error on `raw` ends the text like the end of the file and leaves its errno
// code in *read_error (which is set to 0 here and must outlive the stream).
// Returns nullptr, with `raw` closed, only when the stream cannot be made.
std::FILE* Text_open(std::FILE* raw, int* read_error);
