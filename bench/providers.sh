#!/usr/bin/env bash
# Our GL (es2) against the system's GL 1.1 (Mesa), the same program built both ways, side by side in one
# run: instructions per idle frame, start-up to the first presented frame, CPU per frame at 60 frames/s.
#   bench/providers.sh SYSTEM_BUILD ES2_BUILD      (needs a display: make bench runs it under Xvfb)
set -euo pipefail
system=$1
es2=$2
cd "$(dirname "$0")/.."
ir() { bench/callgrind.sh "$1" | awk '/loop_turn \(whole frame\)/ { print $(NF - 6) }'; }
a=$(ir "$es2")
b=$(ir "$system")
echo
echo "== GL providers: es2 (ours, on OpenGL ES) against the system's OpenGL 1.1, both on Mesa llvmpipe"
printf "  %-56s %12d Ir\n" "instructions per idle frame, es2" "$a" "the same, system GL 1.1" "$b"
printf "  %-56s %12.2f\n" "es2 / system" "$(awk -v a="$a" -v b="$b" 'BEGIN { print a / b }')"
"$es2/bench/bench_startup" --versus "$(cd "$system" && pwd)/run/Wobblefin" "${RUNS:-10}"
