// The browser: the painter runs in a page with no picture book to start it
// and no disk of the person's to keep anything on, so nothing is ever asked.
#include "main/keep_asked.h"

std::string Keep_path_asked()
{
    return "";
}
