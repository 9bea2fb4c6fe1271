#!/usr/bin/env bash
# Makes the pictures of the README and of docs/corvala.md from real runs under Xvfb:
#   scripts/screenshots.sh [BUILD [WEB_BUILD]]   (BUILD defaults to build and must hold a complete build;
#                                                WEB_BUILD to build-web, whose site is pictured if it is there)
# Each program is started on its own virtual screen, left to draw for a while, then its window is
# captured with ImageMagick and stored as a small PNG in docs/images/. The web build's page is served on
# 127.0.0.1 and pictured by headless Chromium, in a desktop's window and in a phone's.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(readlink -f "${1:-build}")
web=$(readlink -f "${2:-build-web}")
out=$PWD/docs/images
mkdir -p "$out"
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done
export ASAN_OPTIONS=detect_leaks=0

# shot NAME TITLE SETTLE_SECONDS [--after "xdotool commands"] -- COMMAND...
shot() {
  local name=$1 title=$2 settle=$3
  shift 3
  local after=""
  if [ "$1" = "--after" ]; then after=$2; shift 2; fi
  shift  # --
  local display=:$((90 + RANDOM % 100))
  Xvfb "$display" -screen 0 1024x768x24 -noreset -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  sleep 1
  DISPLAY=$display "$@" >/dev/null 2>&1 &
  local program=$!
  local window=""
  for _ in $(seq 100); do
    window=$(DISPLAY=$display xdotool search --name "$title" 2>/dev/null | head -n1) && [ -n "$window" ] && break
    sleep 0.1
  done
  sleep "$settle"
  if [ -n "$after" ] && [ -n "$window" ]; then DISPLAY=$display xdotool ${after//WINDOW/$window}; sleep 1; fi
  local status=0
  if [ -n "$window" ]; then
    DISPLAY=$display import -window "$window" "$out/$name.tmp.png" || status=1
    convert "$out/$name.tmp.png" -resize 640x -colors 128 -strip "PNG8:$out/$name.png" || status=1
    rm -f "$out/$name.tmp.png"
  else
    echo "screenshots: no window \"$title\" for $name" >&2
    status=1
  fi
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  [ $status -eq 0 ] && echo "screenshots: $out/$name.png ($(stat -c %s "$out/$name.png") bytes)"
  return $status
}

run=$build/run
view=$build/tools/md3view/corvala-md3view
sample=$(mktemp -d)
trap 'rm -rf "$sample"' EXIT
"$build/tools/md3view/md3view_sample" --pk3 "$sample/robot.pk3"

(cd "$run" && shot wobblefin "Wobblefin" 3 -- ./Wobblefin)
shot md3view-player "corvala-md3view" 3 -- "$view" "$sample/robot.pk3" robot
shot md3view-fish "corvala-md3view" 3 -- "$view" "$run/modelli/PesceRosso.md3"
shot example-hello "Corvala hello" 2 -- "$build/examples/corvala_hello"
shot example-model "Corvala model" 3 -- "$build/examples/corvala_model" "$run/modelli/" PesceRosso "$run/modelli/PesceRosso.tga"
shot example-menu "Corvala menu" 2 --after "mousemove --window WINDOW 400 280 mousedown 1" -- "$build/examples/corvala_menu"
shot example-buttons "Corvala buttons" 2 -- "$build/examples/corvala_buttons"

# page NAME WIDTH HEIGHT: Wobblefin's page in a browser window that size, after a few seconds of drawing.
page() {
  local name=$1 profile
  profile=$(mktemp -d)
  timeout 120 chromium --headless=new --no-sandbox --use-angle=swiftshader --enable-unsafe-swiftshader \
    --disable-background-networking --disable-component-update --disable-sync --no-first-run --hide-scrollbars \
    --user-data-dir="$profile" --window-size="$2,$3" --virtual-time-budget=6000 \
    --screenshot="$out/$name.tmp.png" "http://127.0.0.1:$port/" >/dev/null 2>&1
  rm -rf "$profile"
  convert "$out/$name.tmp.png" -resize "${4}x" -colors 128 -strip "PNG8:$out/$name.png"
  rm -f "$out/$name.tmp.png"
  echo "screenshots: $out/$name.png ($(stat -c %s "$out/$name.png") bytes)"
}
if [ -f "$web/site/index.html" ] && command -v chromium >/dev/null; then
  port=$((20000 + RANDOM % 20000))
  python3 -m http.server "$port" --bind 127.0.0.1 -d "$web/site" >/dev/null 2>&1 &
  server=$!
  sleep 1
  page web-desktop 1000 760 640
  page web-phone 390 844 240
  kill "$server"
fi
