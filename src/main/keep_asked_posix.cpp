// The book's request on POSIX systems: the environment holds bytes, which
// the book wrote as UTF-8.
#include "main/keep_asked.h"
#include <cstdlib>

std::string Keep_path_asked()
{
    const char* path = std::getenv("TINTORA_KEEP");
    return path ? path : "";
}

void Keep_written(const std::string&)
{
}
