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

# POSIX's, X11's and Windows' own headers belong to the files chosen for their system: the host's
# *_posix, *_linux and *_windows files, the SDL backend's linux.cpp and x11.cpp, and the Windows surface
# (platform/windows/). The framework, the program, the Win32 emulation, the viewer and the examples use
# standard C++ alone. Besides those: tests/ (they start programs and desktops, make files and FIFOs and
# wait for children; support/systems.cpp tells Wine from Windows), bench/ (it measures processes: their
# resource use, fork, the loader) and fuzz/ (libFuzzer's targets run on Linux, a scratch file each).
system_headers() {
    local what=$1 pattern=$2 allowed=$3 found
    found=$(git ls-files --cached --others --exclude-standard -- '*.c' '*.cpp' '*.h' |
            grep -v -E "$allowed" | xargs grep -n -i -E "$pattern" || true)
    if [ -n "$found" ]; then
        echo "$what headers outside the files chosen for them:"
        echo "$found"
        exit 1
    fi
}
include='^[[:space:]]*#[[:space:]]*include[[:space:]]*'
system_headers POSIX \
    "$include<((unistd|dlfcn|link|pthread|strings|fcntl|signal|dirent|poll|termios|spawn|sched|semaphore|pwd|grp|glob|fnmatch|libgen|syslog|utime|execinfo|mntent|alloca|malloc|features|endian|byteswap|getopt|err|netdb)\.h|(sys|linux|asm|netinet|arpa|mach|mach-o)/[^>]*)>" \
    '^(platform/host/[^/]*_(posix|linux)\.cpp$|platform/sdl/linux\.cpp$|tests/|bench/|fuzz/)'
system_headers X11 "$include<X11/[^>]*>" '^(platform/sdl/x11\.cpp$|tests/e2e/|tests/platform/sdl/)'
system_headers Windows \
    "$include<(win[a-z0-9_]*|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole2|mmsystem|io|direct|process|tchar|conio|dwmapi|psapi|dbghelp|imm|timeapi|uxtheme|versionhelpers|knownfolders)\.h>" \
    '^(platform/host/[^/]*_windows\.cpp$|platform/windows/|tests/support/systems\.cpp$)'
# Emscripten's own headers belong to the web backend and the host's files for the browser.
system_headers Emscripten "$include<emscripten[./][^>]*>" '^(platform/web/|platform/host/[^/]*_web\.cpp$)'
echo "layers: POSIX, X11, Windows and Emscripten headers appear only in the files chosen for their system"
# Headers that only some folders may include: NAME, an include pattern, the folders (a regex) they belong
# to, and the line to print when none is found elsewhere.
headers_only_in() {
    local name=$1 pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]('"$2"')/' allowed=$3 found
    found=$(git ls-files --cached --others --exclude-standard -- '*.c' '*.cpp' '*.h' |
            grep -v -E "$allowed" | xargs grep -n -E "$pattern" || true)
    if [ -n "$found" ]; then
        echo "$name headers outside $4:"
        echo "$found"
        return 1
    fi
    echo "layers: $name headers appear only in $4"
}
# OpenGL's headers belong to the GL providers (platform/gl/): everything else includes platform/gl/gl.h,
# so that the provider the build chose is the GL it calls. Nothing outside needs an exception.
headers_only_in GL 'GL|GLES[0-9]*|EGL' '^platform/gl/' "the GL providers (include platform/gl/gl.h elsewhere)"
# OpenGL ES and EGL are es2's alone: the other providers, and the backends, stay on desktop GL's.
headers_only_in "OpenGL ES and EGL" 'GLES[0-9]*|EGL|KHR' '^platform/gl/es2/' "platform/gl/es2/"
