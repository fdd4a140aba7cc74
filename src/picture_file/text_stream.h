// Reading a picture file as text the way it reads on the system pictures
// are often drawn on: a CR LF pair arrives as one '\n' (a lone CR stays as
// it is), and a Ctrl-Z byte (0x1A) ends the input. The result is an ordinary
// FILE stream, so the C library's formatted input works on it unchanged.
#pragma once
#include <cstddef>
#include <cstdio>

// No picture comes near this many bytes (a whole one is about 2 KB): past
// it a file is not read on, so that no file, however long or sparse, can
// keep the program reading or reporting for ever.
constexpr std::size_t text_limit = std::size_t{1} << 20;

// A read-only text stream over the open descriptor `fd`, which it reads
// directly, only as far as the reader asks, and closes with the stream.
// A read error ends the text like the end of the file and leaves its errno
// code in *read_error (set to 0 here; it must outlive the stream); so does
// a reader that wants more than text_limit bytes, with the code EFBIG.
// ftell on the stream gives the number of characters the reader has taken,
// counted after translation.
// Returns nullptr, with `fd` closed, only when the stream cannot be made.
std::FILE* Text_open(int fd, int* read_error);
