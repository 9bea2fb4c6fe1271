/* Preloaded into the program by the start-up benchmark: notes when frames are presented and ends the
 * program after the N-th (FIRST_FRAME_EXIT_AFTER, default 1), writing the monotonic times of the first
 * and the last presented frame to the file named by FIRST_FRAME_FILE. The program itself is unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef void (*swap_fn)(void*);

static double now(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

void SDL_GL_SwapWindow(void* window) {
    static swap_fn real;
    static long frames;
    static double first;
    if (!real) real = (swap_fn)dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    const double t = now();
    if (frames++ == 0) first = t;
    const char* limit = getenv("FIRST_FRAME_EXIT_AFTER");
    if (frames < (limit ? atol(limit) : 1)) return;
    const char* path = getenv("FIRST_FRAME_FILE");
    FILE* f = path ? fopen(path, "w") : NULL;
    if (f) {
        fprintf(f, "%.9f %.9f %ld\n", first, t, frames);
        fclose(f);
    }
    _exit(0);
}
