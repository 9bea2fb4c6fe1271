/* The yardstick for start-up: a bare SDL2 program with a GL window of the program's client size that
 * clears once and presents. Started by the start-up benchmark with the same preloaded library, which
 * notes the presented frame and ends it. */
#include <SDL.h>
#include <SDL_opengl.h>

int main(int argc, char** argv) {
    (void)argc, (void)argv;
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
    SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window ? SDL_GL_CreateContext(window) : NULL;
    if (!context) return 1;
    for (;;) { /* the preloaded library ends the program after the frames it was told to note */
        SDL_Event e;
        while (SDL_PollEvent(&e)) {}
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        SDL_GL_SwapWindow(window);
    }
}
