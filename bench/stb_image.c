/* stb_image's decoders, for the loader benchmark's comparison only (built where libstb-dev is installed). */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_ONLY_BMP
#include <stb/stb_image.h>
