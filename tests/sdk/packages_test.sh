#!/usr/bin/env bash
# packages_test.sh DIR: makes the Debian packages from DIR/build and checks their names, metadata and
# file lists (and lintian's verdict where lintian is installed); then unpacks both into a scratch root
# and uses them there: the examples build with find_package, the viewer shows the packaged fish.
set -euo pipefail
dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$dir/build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
program=$(ls "$work"/out/wobblefin_*_amd64.deb 2>/dev/null | head -n1)
sdk=$(ls "$work"/out/libcorvala-dev_*_amd64.deb 2>/dev/null | head -n1)
[ -n "$program" ] && [ -n "$sdk" ] || fail "expected wobblefin and libcorvala-dev packages, got: $(ls "$work/out")"

field() { dpkg-deb -f "$1" "$2"; }
[ "$(field "$program" Package)" = wobblefin ] || fail "program package name"
[ "$(field "$sdk" Package)" = libcorvala-dev ] || fail "SDK package name"
# Computed by dpkg-shlibdeps from the binaries: the run-time libraries, never a -dev package.
for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libfreetype6 libc6; do
  field "$program" Depends | grep -q "$lib" || fail "wobblefin does not depend on $lib"
done
field "$program" Depends | grep -q -- '-dev' && fail "wobblefin depends on a -dev package"
for dev in libsdl2-dev libsdl2-image-dev libglu1-mesa-dev libfreetype-dev; do
  field "$sdk" Depends | grep -q "$dev" || fail "libcorvala-dev does not depend on $dev"
done

# What SDL and Mesa load at run time must come with the packages: the GLX dispatch and Mesa's GLX
# somewhere in the closure of Depends, a driver there or in Recommends.
if command -v apt-cache >/dev/null; then
  for deb in "$program" "$sdk"; do
    name=$(field "$deb" Package)
    names() { tr ',|' '\n\n' | sed 's/(.*)//; s/:any//; s/^ *//; s/ *$//' | grep -v '^$' || true; }
    field "$deb" Depends | names >"$work/$name.depends"
    closure=$( (cat "$work/$name.depends"
      apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
        --no-enhances $(cat "$work/$name.depends") 2>/dev/null | sed -n 's/^ *\(Pre\)\?Depends: //p; /^[^ <]/p') \
      | sed 's/:any//; s/[<>]//g' | sort -u)
    for lib in libgl1 libglx-mesa0; do
      grep -qx "$lib" <<<"$closure" || fail "nothing in $name's Depends brings $lib"
    done
    { grep -qx libgl1-mesa-dri <<<"$closure" || field "$deb" Recommends | grep -q libgl1-mesa-dri; } \
      || fail "$name neither depends on nor recommends a GL driver (libgl1-mesa-dri)"
  done
fi

files() { dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|'; }
files "$program" >"$work/program.list"
files "$sdk" >"$work/sdk.list"
for f in /usr/bin/wobblefin /usr/libexec/wobblefin/Wobblefin /usr/share/wobblefin/Wobblefin.ico \
         /usr/share/wobblefin/modelli/PesceRosso.md3 /usr/share/wobblefin/immagini/font.tga \
         /usr/share/applications/wobblefin.desktop /usr/share/icons/hicolor/48x48/apps/wobblefin.png \
         /usr/share/doc/wobblefin/copyright; do
  grep -qx "$f" "$work/program.list" || fail "wobblefin lacks $f"
done
for f in /usr/include/corvala/Corvala.h /usr/include/corvala/platform/win32.h /usr/bin/corvala-md3view \
         /usr/share/corvala/font.tga /usr/share/corvala/examples/hello.cpp /usr/share/doc/libcorvala-dev/copyright \
         /usr/share/doc/corvala/html/index.html; do
  grep -qx "$f" "$work/sdk.list" || fail "libcorvala-dev lacks $f"
done
for f in libcorvala.a libcorvala_platform.a cmake/Corvala/CorvalaConfig.cmake pkgconfig/corvala.pc; do
  grep -qE "^/usr/lib/(x86_64-linux-gnu/)?$f\$" "$work/sdk.list" || fail "libcorvala-dev lacks $f"
done
# No file in both: the two install together.
[ -z "$(comm -12 <(grep -v '/$' "$work/program.list" | sort) <(grep -v '/$' "$work/sdk.list" | sort))" ] \
  || fail "the packages share files"

if command -v lintian >/dev/null; then
  lintian "$program" "$sdk" >"$work/lintian.log" 2>&1 || true
  if grep -q '^E:' "$work/lintian.log"; then cat "$work/lintian.log"; fail "lintian reports errors"; fi
fi

# Unpacked into a root of their own, the way dpkg would lay them out.
root=$work/root
dpkg-deb -x "$program" "$root"
dpkg-deb -x "$sdk" "$root"
grep -qx 'Exec="/usr/bin/wobblefin"' "$root/usr/share/applications/wobblefin.desktop" || fail "menu entry's Exec line"
cmake -S "$root/usr/share/corvala/examples" -B "$work/examples" -DCMAKE_PREFIX_PATH="$root/usr" >"$work/cfg.log" 2>&1 \
  || { cat "$work/cfg.log"; fail "find_package(Corvala) from the package"; }
cmake --build "$work/examples" --target corvala_hello >"$work/build.log" 2>&1 \
  || { tail -n 30 "$work/build.log"; fail "an example against the package"; }
"$root/usr/bin/corvala-md3view" "$root/usr/share/wobblefin/modelli/PesceRosso.md3" --frames 10 \
  || fail "the packaged viewer on the packaged fish"
echo "packages: $(basename "$program") $(stat -c %s "$program") bytes, $(basename "$sdk") $(stat -c %s "$sdk") bytes"
