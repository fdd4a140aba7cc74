// Whether a save starts a kept colouring again. A colouring applies only to
// the picture it was made on (the digest of its palette and outlines), so a
// save that changes either makes the book open that picture uncoloured; the
// maker asks first. Plain logic.
#pragma once
#include <string>
#include "draw/drawing.h"

// The folders the book takes pictures from, and where their colourings are kept (UTF-8).
struct Picture_places {
    std::string own;
    std::string bundled;
    std::string colourings;
};

// The colouring file of the picture file `path`, named as the book names it:
// NAME.own.colouring when `path` lies in the own folder, NAME.bundled.colouring
// when in the bundled one; "" for a file elsewhere, which the book never opens.
std::string Colouring_path_of(const std::string& path, const Picture_places& places);

// Whether saving `drawing` at `path` starts the colouring kept in
// `colouring_path` again: a colouring is kept there, it was made on the
// picture the file at `path` holds now, and `drawing` has other colours or
// outlines. A colouring already made on another version starts again
// whatever is saved, so it is no reason to ask.
bool Save_restarts_colouring(const std::string& path, const std::string& colouring_path, const Drawing& drawing);
