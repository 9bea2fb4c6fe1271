#!/usr/bin/env bash
# install_test.sh DIR: installs the SDK from DIR/build into a temporary prefix, then uses it the two ways
# a program outside this repository would: the installed examples as a CMake project of their own with
# find_package(Corvala), and one example compiled with pkg-config alone. One example then runs, and
# corvala_hello, copied elsewhere with the SDK moved away, still draws its text.
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

# The share of near-white pixels in corvala_hello's window once its text shows: white text on blue, or
# white blocks where the font is missing. Its standard error goes to $1.err.
white_share() {
  "$1" 100000 2>"$1.err" &
  local pid=$! id share=0
  id=$(timeout 60 xdotool search --sync --onlyvisible --name '^Corvala hello$' | head -n1)
  for _ in $(seq 100); do
    [ -n "$id" ] || break
    share=$(import -silent -window "$id" png:- | convert png:- -colorspace Gray -threshold 90% -format '%[fx:mean]' info:)
    [ "${share:-0}" != 0 ] && break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" || true
  echo "${share:-0}"
}

# Moved away from the SDK, the program still draws its text: the font travels beside it, as the build
# leaves it, or in its data folder, as `cmake --install` puts it. With the font nowhere, one line says so.
[ -f "$work/examples-build/font.tga" ] || fail "the build put no font beside corvala_hello"
cmake --install "$work/examples-build" --prefix "$work/app" >/dev/null
[ -f "$work/app/share/corvala_hello/font.tga" ] || fail "corvala_hello's font is not installed in its data folder"
mv "$prefix" "$work/sdk-moved"
mkdir "$work/beside" "$work/bare"
cp "$work/examples-build/corvala_hello" "$work/examples-build/font.tga" "$work/beside/"
cp "$work/examples-build/corvala_hello" "$work/bare/"
cp -r "$work/app" "$work/app-moved"
beside=$(white_share "$work/beside/corvala_hello")
data_folder=$(white_share "$work/app-moved/bin/corvala_hello")
blocks=$(white_share "$work/bare/corvala_hello")
for run in beside app-moved/bin; do
  [ ! -s "$work/$run/corvala_hello.err" ] || { cat "$work/$run/corvala_hello.err"; fail "$run: corvala_hello said something"; }
done
[ "$(grep -c 'no font image' "$work/bare/corvala_hello.err")" = 1 ] \
  || { cat "$work/bare/corvala_hello.err"; fail "with no font anywhere corvala_hello did not say so in one line"; }
# Glyphs cover a fraction of their cells, blocks all of them.
awk -v a="$beside" -v b="$data_folder" -v c="$blocks" 'BEGIN { exit !(a > 0 && b > 0 && a < c / 2 && b < c / 2) }' \
  || fail "text is not drawn from the font (white share beside it $beside, in its data folder $data_folder, blocks $blocks)"
echo "SDK installed, used with find_package and pkg-config, and run; moved away, corvala_hello draws its text" \
     "(white share $beside beside it, $data_folder in its data folder, $blocks as blocks without a font)"
