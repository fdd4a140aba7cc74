// The book's side of kept colourings: where a picture's colouring is kept,
// how the painter is asked to keep it, what the painter said about it, and
// the colouring laid over a card's board. Plain logic, no window needed.
#pragma once
#include <span>
#include <string>
#include <vector>
#include "board/colour.h"
#include "board/square.h"
#include "book/picture_list.h"
#include "colouring/colouring_format.h"

// The variable that asks the painter to keep a colouring, and names its file.
constexpr const char* keep_variable = "TINTORA_KEEP";

// The colouring file of `entry` in the colourings folder `folder` (UTF-8):
// NAME.own.colouring or NAME.bundled.colouring. A picture name holds no
// '.', so an own and a bundled picture of one name never share a file.
// "" when there is no colourings folder.
std::string Colouring_path(const std::string& folder, const Picture_entry& entry);

// `environment` without any TINTORA_KEEP (its name in any case, as Windows
// compares names): what the book was given never asks the painter, or the
// maker, to keep anything.
std::vector<std::string> Environment_without_keep(const std::vector<std::string>& environment);

// The painter's environment: `environment` (already without TINTORA_KEEP)
// asking it to keep its colouring in `path`; unchanged when `path` is "".
std::vector<std::string> Environment_keeping(const std::vector<std::string>& environment, const std::string& path);

// What the painter said about keeping, from its standard error: its lines
// that start "Tintora: the colouring", in order; "" when none.
std::string Painter_keep_notes(const std::string& errors);

// The colouring kept in `path`, read and understood; false when there is
// none or it is not a colouring (the painter says why when it opens one).
bool Colouring_kept_read(const std::string& path, Colouring& kept);

// Lays the colouring kept in `path` over a board just read, as the painter
// would on opening it, and sets `mousecolour`. False, and nothing changed,
// when there is none or it cannot be used.
bool Colouring_kept_apply(const std::string& path, std::span<Square> squares, std::span<const Colour> colours,
                          Colour& mousecolour);
// The same, saying why a colouring kept in `path` could not be laid over
// it: `why` is "" when it was, or when none is kept.
bool Colouring_kept_apply(const std::string& path, std::span<Square> squares, std::span<const Colour> colours,
                          Colour& mousecolour, std::string& why);
