// Whether the picture book asked the painter to keep a colouring, and
// where: the variable TINTORA_KEEP, which only the book sets. Each platform
// reads its environment its own way.
#pragma once
#include <string>

// The path in TINTORA_KEEP (UTF-8); "" when it is not set or empty.
std::string Keep_path_asked();

// Called each time the colouring file at `path` has been written (and, the
// first time, an unusable one set aside): nothing on a desktop, where the
// book reads the file once the painter has ended; in a browser the page
// copies it at once into its own storage, since its files vanish with it.
void Keep_written(const std::string& path);
