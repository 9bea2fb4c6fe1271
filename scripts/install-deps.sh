#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when any is missing.
# As root it runs apt-get; otherwise it prints the exact command and fails.
set -euo pipefail
PACKAGES=(
  cmake make g++ pkg-config clang libclang-rt-14-dev clang-format
  libsdl2-dev libsdl2-image-dev libx11-dev libgl-dev libgl1-mesa-dri libglu1-mesa-dev libgles-dev libjpeg-dev libzip-dev zlib1g-dev
  libstb-dev
  libfreetype-dev fonts-dejavu-core
  libgtest-dev
  xvfb xauth xdotool x11-apps x11-utils imagemagick valgrind
  xserver-xorg-core xserver-xorg-video-dummy openbox
  dpkg-dev file lintian
  doxygen
)
# `scripts/install-deps.sh windows`: also the cross compiler for Windows, zlib built for it (the viewer's
# archives), Wine to run what it builds and NSIS for its installer.
if [ "${1:-}" = windows ]; then
  PACKAGES+=(g++-mingw-w64-x86-64 libz-mingw-w64-dev wine wine64 nsis)
fi
# `scripts/install-deps.sh web`: Emscripten, with the JavaScript parser its optimizer loads.
if [ "${1:-}" = web ]; then
  PACKAGES+=(emscripten node-acorn python3)
fi
# `scripts/install-deps.sh browser`: what the browser tests drive the web build with: Chromium, its WebDriver,
# and Debian's Python with Selenium and NumPy.
if [ "${1:-}" = browser ]; then
  PACKAGES+=(chromium chromium-driver python3 python3-selenium python3-numpy)
fi
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
cmd="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Run as root:" >&2
  echo "  apt-get update && $cmd" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
