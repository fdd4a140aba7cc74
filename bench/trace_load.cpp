// The cost of reading a drawing to trace, for /usr/bin/time -v: loads the
// file named on the command line as tintora-draw --trace does and says what
// came of it. scripts/bench runs it on a normal trace PNG and on a large
// file that is no PNG; the time and peak memory are the program's own.
#include <cstdio>
#include <string>
#include "draw/trace_image.h"

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: trace_load IMAGE\n", stderr);
        return 2;
    }
    std::string why;
    const Trace_image image = Trace_image_load(argv[1], why);
    if (!why.empty()) {
        std::printf("refused: %s\n", why.c_str());
        return 1;
    }
    std::printf("read: %d x %d\n", image.width, image.height);
    return 0;
}
