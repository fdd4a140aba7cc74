// The painter's side of keeping a colouring, for the picture book only. The
// painter started on its own is never asked and keeps nothing: every call
// here then returns at once, and the painter is exactly what it is without
// them. Asked, it starts from the kept colouring, keeps each fill as soon
// as it is complete and keeps the last state on quitting.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include "board/colour.h"
#include "board/square.h"

struct Colouring_keep {
    std::string path;          // the colouring file; "" when not asked to keep
    std::uint64_t digest = 0;  // of the picture as read
    std::string written;       // the text the file holds, so an unchanged colouring is not written again
    bool set_aside = false;    // the file there cannot be used: move it aside before writing over it
    std::string failed;        // why the last write failed; "" when it did not
};

// After the picture is read and the first colour chosen: lays the kept
// colouring over the board and chooses its colour, when there is one made
// on this very picture. A colouring that cannot be used is said on standard
// error, and the picture opens uncoloured.
Colouring_keep Colouring_keep_start(std::span<Square> squares, std::span<const Colour> colours, Colour& mousecolour);

// After a press has been handled to its end: writes the colouring when it
// has changed. A write that fails is said on standard error once, and
// tried again after the next change; the painter goes on either way.
void Colouring_keep_write(Colouring_keep& keep, std::span<const Square> squares, std::span<const Colour> colours,
                          Colour mousecolour);

// On quitting: the last write, and a line on standard error when what is
// on screen could not be kept.
void Colouring_keep_end(Colouring_keep& keep, std::span<const Square> squares, std::span<const Colour> colours,
                        Colour mousecolour);
