// The text the picture reader reads, made from the file's bytes as stored:
// decoded to UTF-8 (text_decode.h), then read the way text mode reads on
// the system pictures are often drawn on: a CR LF pair arrives as one '\n'
// (a lone CR stays as it is), and a Ctrl-Z byte (0x1A) ends the text. The
// reader gets it as an ordinary FILE stream, so the C library's formatted
// input works on it unchanged, and the same on every platform.
#pragma once
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include "picture_file/text_decode.h"

// No picture comes near this many bytes as stored (a whole one is about
// 2 KB): past it a file is not read on, so that no file, however long or
// sparse, can keep the program reading or reporting for ever.
constexpr std::size_t text_limit = std::size_t{1} << 20;

struct Picture_text {
    std::string text;          // what the reader takes, character for character
    Text_encoding encoding = Text_encoding::utf8;
    Text_break broken;         // where the decoding stopped early, if it did
    bool ctrl_z = false;       // a Ctrl-Z ended the text
    std::string hidden;        // the decoded text after that Ctrl-Z
    bool cut = false;          // the text runs to text_limit of a longer file:
                               // a reader that wants more wants too much
};

// The text of a file whose stored bytes begin with `stored`: the first
// text_limit of them are read; any beyond only tell that the file is longer.
Picture_text Picture_text_make(std::string_view stored);

// A read-only stream over `text.text`, whose ftell counts the characters
// taken. *read_error (it must outlive the stream) is 0 once the stream is
// closed with Text_stream_close, or EFBIG when the reader wanted more of a
// cut text. Returns nullptr when the stream cannot be made.
std::FILE* Text_stream_open(const Picture_text& text, int* read_error);
void Text_stream_close(std::FILE* stream, int* read_error);

// The two together, for bytes already in memory.
std::FILE* Text_open_bytes(std::string_view stored, int* read_error);
