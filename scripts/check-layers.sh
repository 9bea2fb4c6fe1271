#!/usr/bin/env bash
# SDL, Xlib and FreeType belong to the SDL backend (platform/sdl/) and to its own tests: the framework,
# the program, the viewer, the examples and the Win32 emulation never include them, so that another
# backend can take the SDL one's place. The tools that drive a desktop or build files on the build
# machine (tests/e2e, tools/assetgen, dist/icon_png.cpp) and the bare SDL window the start-up benchmark
# measures against (bench/first_frame.c, bench/bare_window.c) are not part of any of those.
set -euo pipefail
cd "$(dirname "$0")/.."

pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](SDL[^>"]*|X11/[^>"]*|ft2build\.h|freetype/[^>"]*)[>"]|FT_FREETYPE_H'
found=$(git ls-files --cached --others --exclude-standard -- '*.c' '*.cpp' '*.h' |
        grep -v -E '^(platform/sdl/|tests/platform/sdl/|tests/e2e/|tools/assetgen/|dist/icon_png\.cpp$|bench/first_frame\.c$|bench/bare_window\.c$)' |
        xargs grep -n -E "$pattern" || true)
if [ -n "$found" ]; then
    echo "SDL, Xlib or FreeType outside the SDL backend:"
    echo "$found"
    exit 1
fi
echo "layers: SDL, Xlib and FreeType appear only in the SDL backend"

# OpenGL's headers belong to the GL providers (platform/gl/): everything else includes platform/gl/gl.h,
# so that the provider the build chose is the GL it calls. Nothing outside needs an exception.
check_gl_headers() {
    local pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"](GL|GLES[0-9]*|EGL)/'
    local found
    found=$(git ls-files --cached --others --exclude-standard -- '*.c' '*.cpp' '*.h' |
            grep -v -E '^platform/gl/' | xargs grep -n -E "$pattern" || true)
    if [ -n "$found" ]; then
        echo "GL headers outside the GL providers (include platform/gl/gl.h):"
        echo "$found"
        return 1
    fi
    echo "layers: GL headers appear only in the GL providers"
}
check_gl_headers
