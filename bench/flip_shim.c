/* Benchmark-only preload: timestamps every SDL_Flip of the process it is
 * loaded into, so a driver outside can tell when the first picture and the
 * last square of a fill reached the window without changing the program.
 * Each flip's return time (CLOCK_MONOTONIC, ns) is written to the file
 * descriptor named by TINTORA_BENCH_FLIP_FD as one 8-byte value. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef struct SDL_Surface SDL_Surface;
typedef int Flip_function(SDL_Surface*);

int SDL_Flip(SDL_Surface* screen)
{
    static Flip_function* real_flip;
    static int flip_fd = -2;
    if (!real_flip)
        real_flip = (Flip_function*)dlsym(RTLD_NEXT, "SDL_Flip");
    if (flip_fd == -2) {
        const char* fd = getenv("TINTORA_BENCH_FLIP_FD");
        flip_fd = fd && *fd ? atoi(fd) : -1;
    }
    const int result = real_flip(screen);
    if (flip_fd >= 0) {
        struct timespec now;
        clock_gettime(CLOCK_MONOTONIC, &now);
        const int64_t ns = (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
        if (write(flip_fd, &ns, sizeof ns) != (ssize_t)sizeof ns)
            flip_fd = -1;
    }
    return result;
}
