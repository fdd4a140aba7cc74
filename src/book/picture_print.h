// A picture printed: a one-page PDF of the picture as it is coloured, on the
// person's paper, saved beside the images in their Pictures folder, from
// which the desktop's viewer prints it. A picture never coloured prints as
// a page to colour with crayons: its outlines on white.
#pragma once
#include <string>
#include "book/picture_card.h"
#include "book/print_layout.h"

// The page of `board` as a PDF's bytes, on paper of `paper`'s size, the
// title set in the TrueType font in the file `font` (UTF-8 path), which is
// embedded. Returns "" and the bytes in `pdf`, or why not.
std::string Print_pdf_make(const Picture_board& board, const std::string& title, const Paper& paper,
                           const std::string& font, std::string& pdf);

// Writes the page of `entry`, its colouring in `colouring_path` laid over
// it, into `folder` (made when missing) as "TITLE DATE.pdf", never over a
// file that is there. Returns "" and the file's path in `saved`, or why
// not; `note` says why a kept colouring was left off (the page is then
// uncoloured), else "".
std::string Picture_print(const Picture_entry& entry, const std::string& colouring_path, const std::string& folder,
                          const std::string& date, const Paper& paper, const std::string& font, std::string& saved,
                          std::string& note);
