// Which card to select when the list of pictures is made again (after the
// maker has ended): the selection follows a picture, not a number, since a
// new own picture (or an own copy of a bundled one) moves every later card.
#pragma once
#include <vector>
#include "book/picture_list.h"

// The index in `after` of: the first picture that `before` did not have
// (the one just saved); else the picture that was selected in `before`
// (by name, so an own copy stands for the bundled picture it replaced);
// else `selected`, within `after`. `after` may be empty (then 0).
int Picture_reselect(const std::vector<Picture_entry>& before, int selected, const std::vector<Picture_entry>& after);
