// The program's path on POSIX systems: argv[0] as the starting process gave
// it (a link's own name when started through a link), bytes as they are.
#include "main/program_path.h"

std::string Program_path(int argc, char* argv[])
{
    return argc > 0 && argv[0] ? argv[0] : "";
}

std::vector<std::string> Program_arguments(int argc, char* argv[])
{
    return std::vector<std::string>(argv, argv + argc);
}
