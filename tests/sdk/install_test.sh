#!/usr/bin/env bash
# install_test.sh DIR: installs the SDK from DIR/build into a temporary prefix, then uses it the two ways
# a program outside this repository would: the installed examples as a CMake project of their own with
# find_package(Corvala), and one example compiled with pkg-config alone. One example then runs.
set -euo pipefail
dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$dir/build" --component sdk --prefix "$prefix" >/dev/null
for f in include/corvala/Corvala.h include/corvala/platform/win32.h include/corvala/model/CRVL_ModelAnimate.h \
         share/corvala/font.tga share/corvala/examples/CMakeLists.txt share/corvala/examples/hello.cpp bin/corvala-md3view \
         share/corvala/cmake/mingw-w64-x86_64.cmake share/doc/corvala/html/index.html; do
  [ -f "$prefix/$f" ] || fail "$f is not installed"
done
libdir=$(cd "$prefix" && ls -d lib*/ lib/*/ 2>/dev/null | while read -r d; do [ -f "$prefix/$d/libcorvala.a" ] && echo "$d"; done | head -n1)
[ -n "$libdir" ] || fail "libcorvala.a is not installed"
for f in libcorvala_platform.a cmake/Corvala/CorvalaConfig.cmake cmake/Corvala/CorvalaTargets.cmake pkgconfig/corvala.pc; do
  [ -f "$prefix/$libdir/$f" ] || fail "$libdir$f is not installed"
done

# The examples, from a folder outside the source tree, against the prefix only.
cp -r "$prefix/share/corvala/examples" "$work/examples"
cmake -S "$work/examples" -B "$work/examples-build" -DCMAKE_PREFIX_PATH="$prefix" >"$work/cfg.log" 2>&1 \
  || { cat "$work/cfg.log"; fail "find_package(Corvala) did not configure the examples"; }
cmake --build "$work/examples-build" -j "$(nproc)" >"$work/build.log" 2>&1 \
  || { tail -n 40 "$work/build.log"; fail "the examples did not build against the installed SDK"; }

# One example with pkg-config and a compiler, nothing else.
export PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig
font=$(pkg-config --variable=font corvala)
[ -f "$font" ] || fail "corvala.pc names no font file ($font)"
# CORVALA_FONT comes in the flags, quoted for a shell as pkg-config flags are: hence eval.
eval c++ -o "$work/hello" "$work/examples/hello.cpp" $(pkg-config --cflags --libs corvala) \
  || fail "hello.cpp did not build with pkg-config"

# It runs: a window, a few frames, a clean end.
"$work/hello" 20 || fail "the pkg-config build of hello did not run (exit $?)"
"$work/examples-build/corvala_menu" 20 || fail "the find_package build of corvala_menu did not run"
echo "SDK installed, used with find_package and pkg-config, and run"
