// The command line on POSIX systems: argv is the bytes of the file names,
// UTF-8 on every system the maker runs on.
#include "draw/arguments.h"

std::vector<std::string> Arguments_utf8(int argc, char* argv[])
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}
