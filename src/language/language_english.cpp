// Messages in English only, where no gettext is built in (Windows and the
// browser, for now): every text is the English one it was given.
#include "language/language.h"

void Language_start()
{
}

const char* Text_of(const char* english)
{
    return english;
}

const char* Text_plural(const char* one, const char* many, unsigned long count)
{
    return count == 1 ? one : many;
}
