// A kept colouring straight from its file: read, understood and laid over
// the board it was made on. The painter starting from it and the book
// showing it take the same steps, so they agree on which files can be used.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include "board/colour.h"
#include "board/square.h"
#include "colouring/colouring_format.h"

struct Colouring_loaded {
    bool missing = false;     // no file there: nothing kept yet, which is no fault
    bool unreadable = false;  // a file is there but could not be read
    std::string why;          // "" when it was read (and laid over); else why not
};

// Reads and parses the colouring file at `path` (UTF-8) into `kept`.
Colouring_loaded Colouring_file_load(const std::string& path, Colouring& kept);

// Reads the colouring file at `path` and lays it over `squares` and the
// chosen colour, when it was made on the picture whose digest is `digest`;
// otherwise leaves them as they are and says why.
Colouring_loaded Colouring_file_lay(const std::string& path, std::uint64_t digest, std::span<Square> squares,
                                    std::span<const Colour> colours, Colour& mousecolour);
