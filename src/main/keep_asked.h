// Whether the picture book asked the painter to keep a colouring, and
// where: the variable TINTORA_KEEP, which only the book sets. Each platform
// reads its environment its own way.
#pragma once
#include <string>

// The path in TINTORA_KEEP (UTF-8); "" when it is not set or empty.
std::string Keep_path_asked();
