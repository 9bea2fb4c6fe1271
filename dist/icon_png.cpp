// Turns the program's .ico into the 48 x 48 PNG that desktop icon themes look for.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ICON.ico OUT.png\n", argv[0]);
        return 2;
    }
    SDL_Surface* icon = IMG_Load(argv[1]);
    if (!icon) {
        std::fprintf(stderr, "%s: %s\n", argv[1], IMG_GetError());
        return 1;
    }
    constexpr int SIZE = 48;
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, SIZE, SIZE, 32, SDL_PIXELFORMAT_RGBA32);
    int rc = 1;
    if (out) {
        // The icon's own alpha is copied, not blended over the empty target.
        SDL_SetSurfaceBlendMode(icon, SDL_BLENDMODE_NONE);
        SDL_Rect whole{0, 0, SIZE, SIZE};
        if (SDL_BlitScaled(icon, nullptr, out, &whole) == 0 && IMG_SavePNG(out, argv[2]) == 0) rc = 0;
        else std::fprintf(stderr, "%s: %s\n", argv[2], SDL_GetError());
        SDL_FreeSurface(out);
    }
    SDL_FreeSurface(icon);
    return rc;
}
