#!/usr/bin/env bash
# web_install_test.sh WEB_BUILD PAGE_TEST: installs the framework for the browser from WEB_BUILD (a build
# made by `make web`) into a temporary prefix, builds the installed examples against it with emcmake as a
# project of its own, and opens two of their pages in headless Chromium with PAGE_TEST. Without a web
# build there is nothing to test: exit 77, which ctest counts as skipped.
set -euo pipefail
web=$1
page_test=$2
[ -n "$web" ] || { echo "no web build named (-DWOBBLEFIN_WEB_BUILD=DIR, a build of make web): skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }
# The sanitiser settings of the test build must not reach emcc's tools; Debian's emcc finds its node
# modules through NODE_PATH.
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
export NODE_PATH=/usr/share/nodejs

cmake --install "$web" --component sdk --prefix "$prefix" >/dev/null
for f in include/corvala/Corvala.h include/corvala/platform/gl/es2/gl.h include/corvala/platform/gl/provider.h \
         lib/libcorvala.a lib/libcorvala_platform.a lib/cmake/Corvala/CorvalaConfig.cmake share/corvala/font.tga \
         share/corvala/web/library.js share/corvala/web/shell/page.html share/corvala/examples/CMakeLists.txt; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done

# Emscripten's toolchain looks for packages under its find roots only: the prefix is one.
cp -r "$prefix/share/corvala/examples" "$work/examples"
emcmake cmake -S "$work/examples" -B "$work/build" -DCMAKE_FIND_ROOT_PATH="$prefix" >"$work/cfg.log" 2>&1 \
  || { cat "$work/cfg.log"; fail "find_package(Corvala) did not configure the examples under emcmake"; }
cmake --build "$work/build" -j 2 >"$work/build.log" 2>&1 \
  || { tail -n 40 "$work/build.log"; fail "the examples did not build against the installed framework"; }
for f in corvala_hello.html corvala_hello.js corvala_hello.wasm corvala_font.data corvala_menu.html; do
  [ -f "$work/build/$f" ] || fail "the build left no $f"
done

# The SDK moved away: the pages hold all they need.
mv "$prefix" "$work/sdk-moved"
/usr/bin/python3 "$page_test" "$work/build" corvala_hello.html corvala_menu.html
